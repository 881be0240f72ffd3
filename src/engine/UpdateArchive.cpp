#include "engine/UpdateArchive.h"

#include "core/Exceptions.h"
#include "core/StringUtils.h"
#include "engine/ArchivePassword.h"
#include "engine/VersionKeys.h"
#include "ui/MsgDlg.h"

namespace tarvel {

namespace {

const std::string kWrongPassword = "Невірний пароль, модифікацію зупинено!";

bool IsBlank(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) > ' ')
            return false;
    return true;
}

} // namespace

std::string UpperFileExtension(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos ? std::string() : AsciiUpperCase(fileName.substr(dot));
}

TUpdateArchive::TUpdateArchive() {
    Reader.OnBadPassword = [this](std::size_t) { BadPassword(); };
}

void TUpdateArchive::SetArchiveFile(const std::string& path) {
    FileArh = path;
    if (!IsBlank(path))
        ReportFile = path + ".out";
}

void TUpdateArchive::BadPassword() {
    MsgDlg(kWrongPassword, TMsgKind::mkError, MsgButtons({btOk}));
    PasswordAccepted = false;
    throw EAbort();
}

void TUpdateArchive::OpenReader(TZipOrder order) {
    Reader.Close();
    Reader.Password = UpdateArchiveZipPassword(ArchivePassword);
    Reader.Open(FileArh, order);
}

void TUpdateArchive::OpenUpdateArchive() {
    OpenReader(TZipOrder::Stored);
    for (std::size_t i = 0; i < Reader.Count(); ++i) {
        if (UpperFileExtension(Reader.Entry(i).FileName) == ".INI") {
            ReadUpdateDescriptor(DescriptorText(Reader.ExtractToMemory(i)), Descriptor);
            break;
        }
    }
    VersionList = BuildVersionList(Reader);
}

void TUpdateArchive::ReopenForRun() {
    OpenReader(TZipOrder::SortedByName);
}

std::vector<std::size_t> TUpdateArchive::EntriesOfVersion(std::string_view key) const {
    std::vector<std::size_t> entries;
    for (std::size_t i = 0; i < Reader.Count(); ++i)
        if (VersionKeyOfPath(Reader.Entry(i).PathName) == key)
            entries.push_back(i);
    return entries;
}

std::string TUpdateArchive::ExtractToMemory(std::size_t index) {
    return Reader.ExtractToMemory(index);
}

std::string TUpdateArchive::ExtractText(std::size_t index) {
    std::string text = Reader.ExtractToMemory(index);
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

void TUpdateArchive::ExtractToFile(std::size_t index, const std::filesystem::path& target) {
    Reader.ExtractToFile(index, target);
}

} // namespace tarvel
