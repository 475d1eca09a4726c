#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "stats/statsSummaryC.h"

namespace qm {

// How the two reading passes talk to the statistics window: progress and file messages in
// the first panel, errors in the second, and the odd sound.
class statsReportSink {
  public:
    virtual ~statsReportSink() = default;
    virtual void showInfo(const std::string& text) = 0;
    virtual void showSystemInfo(const std::string& text) = 0;
    virtual void playSound(const std::string& name) = 0;
    // The progress bar becomes visible at position 0 with this maximum.
    virtual void startProgress(std::int64_t maximum) = 0;
    virtual void setProgress(std::int64_t position) = 0;
    // Asked every few thousand records: true ends the pass at once, with no message, as when
    // the reader has been superseded by another one.
    [[nodiscard]] virtual bool stopRequested() const { return false; }
};

// The summary pass: every record of the player's file, validated, into the summary in file
// order. True when the whole file was read and the summary should be shown. False after a
// stop request too.
bool loadSummary(const std::filesystem::path& dataDir, const std::string& name,
                 statsSummaryC& summary, statsReportSink& report);

// The series pass: the PPD of every leg whose day lies from startDay to endDay (day numbers,
// both ends included). False when the file is missing or unreadable.
bool loadPpdSeries(const std::filesystem::path& dataDir, const std::string& name,
                   std::int64_t startDay, std::int64_t endDay, std::vector<double>& list,
                   statsReportSink& report);

// Every record of the player's file whose day lies from startDay to endDay, in file order,
// checked as the other passes check them, with no messages. With `positions`, each record's
// place in the file (0 for the first) goes there beside it: the key the dart history pairs a
// leg with its record by. False when the file is missing, unreadable or not whole.
bool loadLegRecords(const std::filesystem::path& dataDir, const std::string& name,
                    std::int64_t startDay, std::int64_t endDay, std::vector<legRecordS>& records,
                    std::vector<std::int64_t>* positions = nullptr);

}  // namespace qm
