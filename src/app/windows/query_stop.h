#pragma once

// Lets the user stop a filter's query that runs long: after a second a small window says
// that the query is running and offers "&Stop"; stopping makes the filter count as corrupt.
void InstallQueryStop();
