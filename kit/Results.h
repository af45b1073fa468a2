#pragma once

// What the test kit's runner makes of the JUnit XML report that a
// GoogleTest program writes (--gtest_output=xml:FILE): each case's outcome,
// the count and the summary line. Plain C++, tested natively.
#include <string>
#include <vector>

enum class Outcome { Passed, Failed, Skipped };

struct CaseResult {
    std::string name;  // "Suite.Case"
    Outcome outcome = Outcome::Passed;
    std::string reason;  // why it was skipped, or the first failure's summary
};

// The cases of a report that was run; false when the report is missing or
// ends before its last element (the program did not finish).
bool ReadReport(const std::string& xml, std::vector<CaseResult>& cases);

// A report of one failed case, for a program that ended without its own.
std::string FailureReport(const std::string& program, const std::string& name, const std::string& reason);

struct Tally {
    int passed = 0;
    int failed = 0;
    int skipped = 0;
    int needAdministrator = 0;  // of the skipped

    void Add(const CaseResult& result);
};

// "N passed, N failed, N skipped", and what the skipped cases need when
// administrator rights would have run some of them.
std::string SummaryLine(const Tally& tally);
