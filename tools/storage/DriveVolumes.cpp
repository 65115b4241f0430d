#include "tools/storage/DriveVolumes.h"

#include <algorithm>
#include <cmath>

#include "core/Format.h"

namespace {
const char* const kDriveTypeNames[] = {"Unknown", "No Root", "Removable", "Fixed", "Remote", "CD/DVD-ROM", "RAM Drive"};
}  // namespace

const char* const kFileSystemFlagNames[32] = {
    "Supports case-sensitive file names",
    "Supports preserved case of file names when it places a name on disk",
    "Supports Unicode in file names as they appear on disk",
    "Preserves and enforces access control lists (ACL). For example, the NTFS file system preserves and enforces "
    "ACLs, and the FAT file system does not",
    "Supports file-based compression",
    "Supports disk quotas",
    "Supports sparse files",
    "Supports reparse points",
    "Supports remote storage",
    "0x200",
    "0x400",
    "0x800",
    "0x1000",
    "0x2000",
    "0x4000",
    "Volume is compressed, for example, a DoubleSpace volume",
    "Supports object identifiers",
    "Supports the Encrypted File System (EFS). For more information, see File Encryption",
    "Supports named streams",
    "Volume is read-only",
    "Supports a single sequential write",
    "Supports transactions. For more information, see About KTM",
    "Supports hard links. For more information, see Hard Links and Junctions",
    "Supports extended attributes. An extended attribute is a piece of application-specific metadata that an "
    "application can associate with a file and is not part of the file's data",
    "Supports open by FileID. For more information, see FILE_ID_BOTH_DIR_INFO",
    "Supports update sequence number (USN) journals. For more information, see Change Journal Records",
    "Supports integrity streams. Currently, this value is ONLY available for ReFS and Windows 8",
    "0x8000000",
    "0x10000000",
    "0x20000000",
    "0x40000000",
    "0x80000000"};

int TDriveVolumes::Refresh() {
    Clear();
    const uint32_t mask = platform_.LogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (!(mask & (1u << letter)))
            continue;
        TDriveVolume v;
        v.RootPath = std::string(1, static_cast<char>('A' + letter)) + ":\\";
        v.DriveType = platform_.DriveType(v.RootPath);
        uint32_t error = 0;
        if (!platform_.QueryVolume(v.RootPath, v, error) ||
            !platform_.QueryFreeSpace(v.RootPath, v.FreeBytesAvailable, v.TotalBytes, error)) {
            const std::string root = v.RootPath;
            const uint32_t type = v.DriveType;
            v = {};  // a failed volume shows nothing of a half answer
            v.RootPath = root;
            v.DriveType = type;
            v.ErrorCode = error != 0 ? error : 1;
        }
        v.Icon = platform_.DriveIcon(v.RootPath);
        volumes_.push_back(std::move(v));
    }
    return Count();
}

void TDriveVolumes::Clear() {
    for (const TDriveVolume& v : volumes_) {
        if (v.Icon)
            platform_.DestroyIcon(v.Icon);
    }
    volumes_.clear();
}

std::string DriveTypeText(uint32_t type) {
    return Format("%s (%d)", {kDriveTypeNames[type <= 6 ? type : 0], type});
}

std::string DriveSpaceText(int64_t bytes, int unit) {
    if (bytes == 0)
        return {};
    const long double value = unit == 0 ? static_cast<long double>(static_cast<uint64_t>(bytes) * 8u)
                                        : static_cast<long double>(bytes) / std::pow(1024.0L, unit - 1);
    return Format("%.*n", {std::max(0, 2 * unit - 4), value});
}

double DriveFreeRatio(const TDriveVolume& v) {
    return v.ErrorCode == 0 && v.TotalBytes > 0 ? static_cast<double>(v.FreeBytesAvailable) / v.TotalBytes : 0.0;
}

std::string DriveCellText(const TDriveVolume& v, int column, int unit) {
    switch (column) {
        case 0:
            return Format("%s (%.2s)", {v.VolumeName, v.RootPath});
        case 1:
            return DriveSpaceText(v.TotalBytes, unit);
        case 2:
            return DriveSpaceText(v.FreeBytesAvailable, unit);
        case 3:
            return v.FileSystemName;
        case 4: {
            std::string serial = Format("%.4x-%.4x", {v.SerialNumber >> 16, v.SerialNumber & 0xFFFF});
            std::transform(serial.begin(), serial.end(), serial.begin(),
                           [](char c) { return static_cast<char>(c >= 'A' && c <= 'F' ? c + 32 : c); });
            return serial;
        }
        case 5:
            return DriveTypeText(v.DriveType);
        case 6:
            return std::to_string(v.MaxComponentLength);
        case 7:
            return Format("%s%.5x", {"$", v.FileSystemFlags});
        case 8:
            return Format("%.1f%%", {100 - 100 * DriveFreeRatio(v)});
        case 9:
            return Format("%.1f%%", {100 * DriveFreeRatio(v)});
        default:
            return {};
    }
}
