#include "tools/storage/SmartRead.h"

#include "core/Format.h"

std::string SmartColumnText(const TSmartAttributes& meaning, const TSmartAttribute& a, int column) {
    const auto count = [](unsigned value) { return value ? Format("%u", {value}) : std::string(); };
    switch (column) {
        case 0:
            return meaning.AttributeName(a.Id);
        case 1:
            return Format("%.3d", {a.Id});
        case 2:
            return Format("%.2x", {a.Id});
        case 3:
            return meaning.FormatRawValue(a);
        case 4:
            return count(a.Current);
        case 5:
            return count(a.Worst);
        case 6:
            return count(a.Threshold);
        case 7:
            return a.Raw ? Format("%s%.*x", {"$", 4, a.Raw}) : std::string();
        case 8: {
            std::string bits;
            for (unsigned flags = a.Flags; flags; flags >>= 1)
                bits.insert(bits.begin(), static_cast<char>('0' + (flags & 1)));
            return std::string(bits.size() < 6 ? 6 - bits.size() : 0, '0') + bits;
        }
        case 9:
            return count(a.Reserved);
    }
    return {};
}

void TSmartDrives::Log(const std::string& label) {
    const uint32_t code = LastError ? LastError() : 0;
    log_ += Format("- %s: 0x%.4x = \"%s\"\r\n", {label, code, ErrorText ? ErrorText(code) : std::string()});
}

bool TSmartDrives::Query(int drive, unsigned what, bool active) {
    const int64_t start = active && Counter ? Counter() : 0;
    if (!reader_.Open(drive))
        return false;
    struct TCloser {
        TSmartReader& reader;
        ~TCloser() { reader.Close(); }
    } closer{reader_};
    if ((what & kQueryEnable) && !reader_.IsSmartSupported()) {
        Log(Format("IsSmartSupported(%d)", {drive}));
        return false;
    }
    if (what & kQueryAttributes) {
        int count = -1;
        try {
            count = reader_.QueryAttributes();
        } catch (const ESmartReaderError& error) {
            // A drive whose pages disagree is left out; the next one is read all the same.
            log_ += Format("- QueryAttributes(%d): %s\r\n", {drive, error.what()});
            return false;
        }
        if (count < 0) {
            Log(Format("QueryAttributes(%d)", {drive}));
            return false;
        }
    }
    if ((what & kQueryIdentify) && !reader_.QueryVendorInfo()) {
        Log(Format("QueryVendorInfo(%d)", {drive}));
        return false;
    }
    if (slots_.size() <= static_cast<size_t>(drive))
        slots_.resize(static_cast<size_t>(drive) + 1);
    TSmartDriveSlot& slot = slots_[static_cast<size_t>(drive)];
    slot.Read = true;
    if (what & kQueryAttributes)
        slot.Attributes = reader_.Attributes();
    if (what & kQueryIdentify)
        slot.Identify = reader_.Identify();
    if (active && Counter)
        queryTicks_ = Counter() - start;
    return true;
}

const TSmartDriveSlot* TSmartDrives::Slot(int drive) const {
    return drive >= 0 && static_cast<size_t>(drive) < slots_.size() && slots_[static_cast<size_t>(drive)].Read
               ? &slots_[static_cast<size_t>(drive)]
               : nullptr;
}

std::string QueryTimeText(int64_t ticks, int64_t frequency) {
    return Format("Query Time: %.2f msec", {static_cast<double>(ticks) / static_cast<double>(frequency) * 1000.0});
}
