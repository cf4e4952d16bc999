#pragma once

#include <QString>
#include <functional>

// Damage the engine reports in the middle of any work (a page that can't be read, a
// malformed record), whoever catches the error, is noted here, so that the work's end can
// tell the user and offer the repair: a failure that would otherwise pass for an empty
// list or a finished command.
void NoteDamage(const QString& path);

// The current list's file when damage was noted in it since the notes were last forgotten
// (they are forgotten now); empty when there was none.
QString TakeDamagedCurrentList();
void ForgetDamage();

// Called whenever damage is noted (to schedule the offer of a repair); empty for none.
void SetDamageHandler(std::function<void()> handler);
