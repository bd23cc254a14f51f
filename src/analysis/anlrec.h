// Lines the analysis driver writes itself: banners, case headings, skip
// notes, the progress file, the end-of-case lines and the phase timing.
#pragma once

#include <cstdint>

namespace drelm::anl {

// Proceeding line, results banners and title on every report.
void openingLines();
// Series banners of the load cases (COMB false) or combinations.
void seriesBanners(bool comb);
// Heading of case or combination k (the load type of a case included).
void caseHeading(bool comb, std::int32_t k);
// Skip note and skip status lines of a case not analysed.
void skipLines(bool comb);
// Summary scratch line, and the iteration dump line of a case.
void analysedLines(bool comb, std::int32_t k);
// Progress file: "STARTED" or "FINISHED" line of case or combination k.
void progressLine(bool comb, std::int32_t k, bool finished);
// Runtime log line after an analysed case or combination.
void logFinished(bool comb, std::int32_t k);
// Phase timing after an analysed case or combination.
void phaseTiming();
// Total-load line of the case status file.
void totalLoadStatus();

}  // namespace drelm::anl
