#include "devices/FileTable.h"

#include "devices/DiskFile.h"
#include "devices/SerialPortDevice.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace korvelin {

namespace {

bool namesSerialPort(const std::u16string& name) {
    return name.size() >= 4 && name.starts_with(u"COM") &&
           (name[3] == u':' || (name.size() >= 5 && name[4] == u':'));
}

bool namesPrinterAtOpen(const std::u16string& name) {
    return (name.size() >= 4 && name.starts_with(u"PRN") && name[3] == u':') ||
           (name.size() >= 5 && name.starts_with(u"LPT") && name[4] == u':');
}

void clearEntry(FileEntry& e) {
    e.name.clear();
    e.mode.clear();
    e.lineBuffer.clear();
    e.inputBuffer.clear();
    e.column = 0;
    e.recordLength = 0;
    e.fields.clear();
    e.hostPath.clear();
}

// An entry whose device has gone (a file left by a host failure) can still
// be named but not used.
FileDevice& deviceOf(FileEntry& e) {
    if (!e.device) failHost(HostFailureKind::Other);
    return *e.device;
}

} // namespace

FileMode fileModeOf(std::u16string_view modeWord) {
    if (modeWord == u"INPUT") return FileMode::Input;
    if (modeWord == u"OUTPUT") return FileMode::Output;
    if (modeWord == u"APPEND") return FileMode::Append;
    return FileMode::Random;
}

FileTable::~FileTable() {
    try {
        closeAll();
    } catch (const HostFailure&) {
        // Each file has had its chance to reach the disk.
    }
}

void FileTable::open(std::int32_t number, const std::u16string& name, FileMode mode, const DosPaths& paths) {
    FileEntry& e = entry(number);
    std::u16string entryName = name;
    QString hostPath;
    std::unique_ptr<FileDevice> device;
    bool portFailed = false;
    if (namesSerialPort(name)) {
        // "COM:" takes the port the settings choose.
        if (name[3] == u':')
            entryName = u"COM" + std::u16string(1, static_cast<char16_t>(u'1' + serial.portIndex)) + u":" +
                        name.substr(4);
        serial.applySettingsText(entryName);
        if (hasSerialPort()) failHost(HostFailureKind::Other); // one port at a time
        if (openers.serial) {
            device = openers.serial(entryName, e);
        } else {
            auto port =
                std::make_unique<SerialPortDevice>(serial.devices[static_cast<std::size_t>(serial.portIndex)],
                                                   serial, e.inputBuffer, serialHooks);
            portFailed = !port->opened();
            device = std::move(port);
        }
        e.inputBuffer.clear();
        e.lineBuffer.clear();
    } else if (namesPrinterAtOpen(name)) {
        entryName = name.substr(0, name.size() - 1);
        if (openers.printer) {
            device = openers.printer(entryName, mode);
        } else {
            hostPath = paths.hostPath(entryName);
            device = std::make_unique<DiskFile>(hostPath, mode);
        }
    } else {
        DosPaths::checkNameCharacters(name);
        const bool plain = name.find_first_of(u"\\/:") == std::u16string::npos;
        if (plain) entryName = paths.resolve(name);
        hostPath = QFileInfo(paths.hostPath(entryName)).absoluteFilePath();
        // The host refuses a second opening of a file that one of them writes.
        for (const FileEntry& other : entries_) {
            if (!other.isOpen() || other.hostPath != hostPath) continue;
            if (mode != FileMode::Input || other.mode != u"INPUT") failHost(HostFailureKind::FileAlreadyOpen);
        }
        device = std::make_unique<DiskFile>(hostPath, mode);
    }
    clearEntry(e);
    e.device = std::move(device);
    e.name = entryName;
    e.hostPath = hostPath;
    switch (mode) {
    case FileMode::Input: e.mode = u"INPUT"; break;
    case FileMode::Output: e.mode = u"OUTPUT"; break;
    case FileMode::Append: e.mode = u"APPEND"; break;
    case FileMode::Random:
        e.mode = u"RANDOM";
        // A port opened without FOR takes no record buffer: its blanks
        // would go out in front of the first line sent.
        if (!e.isSerialPort()) e.lineBuffer.assign(255, ' ');
        break;
    }
    if (portFailed && serialOpenFailed) serialOpenFailed(entryName.substr(0, 4));
}

bool FileTable::hasSerialPort() const {
    for (const FileEntry& e : entries_)
        if (e.isSerialPort()) return true;
    return false;
}

bool FileTable::holdsHostFile(const QString& absolutePath) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const FileEntry& e) {
        return e.isOpen() && !e.hostPath.isEmpty() && e.hostPath == absolutePath;
    });
}

void FileTable::close(std::int32_t number) {
    FileEntry& e = entry(number);
    if (!e.isOpen()) return;
    if (e.isSerialPort() && e.name.size() >= 4 && e.name[3] >= u'1' && e.name[3] <= u'4')
        serial.portIndex = e.name[3] - u'1';
    std::unique_ptr<FileDevice> device = std::move(e.device);
    const std::string pending = e.isWriting() && e.column >= 1 ? e.lineBuffer : std::string();
    clearEntry(e);
    if (!device) return;
    // The entry is free whatever the host says; what it refuses is reported.
    if (!pending.empty()) {
        try {
            device->write(pending);
        } catch (const HostFailure&) {
            try {
                device->close();
            } catch (const HostFailure&) {
            }
            throw;
        }
    }
    device->close();
}

void FileTable::closeAll() {
    std::optional<HostFailure> first;
    for (int n = 1; n < EntryCount; ++n) {
        try {
            close(n);
        } catch (const HostFailure& failure) {
            if (!first) first = failure;
        }
    }
    if (first) throw *first;
}

void FileTable::flushAll() {
    std::optional<HostFailure> first;
    for (int n = 1; n < EntryCount; ++n) {
        FileEntry& e = entries_[static_cast<std::size_t>(n)];
        if (!e.device) continue;
        try {
            e.device->flush();
        } catch (const HostFailure& failure) {
            if (!first) first = failure;
        }
    }
    if (first) throw *first;
}

void FileTable::writeLine(FileEntry& e) {
    FileDevice& device = deviceOf(e);
    e.lineBuffer += "\r\n";
    try {
        device.write(e.lineBuffer);
    } catch (const HostFailure&) {
        e.lineBuffer.resize(e.lineBuffer.size() - 2);
        throw;
    }
    e.lineBuffer.clear();
    e.column = 0;
}

void FileTable::appendPending(FileEntry& e, std::string_view bytes) {
    e.lineBuffer.append(bytes);
    e.column = static_cast<std::int16_t>(
        std::min<std::size_t>(32767, static_cast<std::size_t>(std::max<int>(e.column, 0)) + bytes.size()));
    if (e.lineBuffer.size() > MaxPendingBytes && e.device && !e.isSerialPort()) {
        e.device->write(e.lineBuffer);
        e.lineBuffer.clear();
    }
}

void FileTable::sendPending(FileEntry& e) {
    deviceOf(e).write(e.lineBuffer);
    e.lineBuffer.clear();
    e.column = 0;
}

void FileTable::fetchLine(FileEntry& e) {
    FileDevice& device = deviceOf(e);
    std::string line;
    if (!device.readLine(line)) raise(ErrInputPastEnd);
    e.inputBuffer = std::move(line);
    e.inputBuffer += "\r\n";
}

std::string FileTable::fetchWholeLine(FileEntry& e) {
    if (!e.inputBuffer.empty()) {
        std::string rest = std::move(e.inputBuffer);
        e.inputBuffer.clear();
        if (rest.ends_with("\r\n"))
            rest.resize(rest.size() - 2);
        else if (rest.ends_with('\n'))
            rest.pop_back();
        return rest;
    }
    std::string line;
    if (!deviceOf(e).readLine(line)) raise(ErrInputPastEnd);
    return line;
}

bool FileTable::atEndOfData(FileEntry& e) {
    for (char c : e.inputBuffer)
        if (c != ' ' && c != '\r' && c != '\n') return false;
    return deviceOf(e).atEnd();
}

} // namespace korvelin
