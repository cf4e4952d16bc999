#pragma once

#include <QString>
#include <vector>

// One timed operation on a list file. Run does its own setting up, then times the part the
// operation is about and returns the seconds it took; runs start in fresh processes.
struct BenchOperation {
    const char* key;
    const char* label;
    // Target on a 1,000,000-record list, in seconds (0 when the operation has none).
    double targetSeconds;
    // Reported per repetition (the timed part repeats the step this many times).
    int perStep;
    double (*run)(const QString& list);
    // Whether the peak memory of this operation has a target (150 MB).
    bool memoryTarget;
    // When set, the operation runs on the list of this size only, and its time target is
    // for that size.
    int onlySize = 0;
    // When set, the peak memory target in MB (in place of the 150 MB of memoryTarget).
    double memoryTargetMb = 0;
    // When set, the time target is relativeFactor times the median of the operation with
    // this key on the same list size, measured in the same run (listed before this one).
    const char* relativeTo = nullptr;
    double relativeFactor = 0;
};

const std::vector<BenchOperation>& BenchOperations();
