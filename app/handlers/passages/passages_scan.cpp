#include "app/handlers/passages/passages_scan.h"

#include <string>

#include "scan/ephemeris_scanner.h"
#include "text/read_ahead_source.h"

namespace vandrel {

namespace {

// The file's bytes, counted for the progress bar; a cancel ends them as a
// failed read would, which ends the scan at its next block. The blocks of a
// file read ahead are lent on.
class ProgressSource final : public ByteSource {
  public:
    ProgressSource(ByteSource& file, ScanProgress& progress) : file_(file), progress_(progress) {}

    std::size_t read(char* into, std::size_t size) override {
        if (progress_.cancelRequested.load(std::memory_order_relaxed)) {
            return 0;
        }
        const std::size_t count = file_.read(into, size);
        progress_.bytesRead.fetch_add(count, std::memory_order_relaxed);
        return count;
    }
    std::string error() const override {
        return progress_.cancelRequested.load() ? "cancelled" : file_.error();
    }
    bool lends() const override { return file_.lends(); }
    LentBlock lend() override {
        LentBlock block = file_.lend();
        if (progress_.cancelRequested.load(std::memory_order_relaxed)) {
            block.size = 0;  // the end; the block is still handed back
        }
        progress_.bytesRead.fetch_add(block.size, std::memory_order_relaxed);
        return block;
    }
    void handBack(const LentBlock& block) override { file_.handBack(block); }

  private:
    ByteSource& file_;
    ScanProgress& progress_;
};

class PassagesCollector final : public ScanObserver {
  public:
    explicit PassagesCollector(PassagesScan& scan) : scan_(scan) {}

    bool wantsEveryRecord() const override { return true; }
    void recordRead(std::int32_t, double julianDay, double au) override {
        scan_.plot.add({julianDay, au});
    }
    void newPassage(const TruePassage& passage, const EphemerisHeader&) override {
        scan_.passages.push_back(passage);
    }

  private:
    PassagesScan& scan_;
};

}  // namespace

PassagesScan scanForPassages(const ScanSettings& settings, ScanProgress& progress) {
    PassagesScan scan;
    PassagesCollector collector(scan);
    std::string reason;
    const auto file = openReadAhead(settings.filePath, reason);
    if (!file) {
        // The scan opens it again and fails as "sort" does: on a start date
        // it cannot read before a file it cannot open.
        scan.outcome = EphemerisScanner().scan(settings, collector);
        return scan;
    }
    ProgressSource source(*file, progress);
    scan.outcome = EphemerisScanner().scan(source, settings, collector);
    scan.cancelled = progress.cancelRequested.load();
    return scan;
}

}  // namespace vandrel
