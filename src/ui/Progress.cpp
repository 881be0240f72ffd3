#include "ui/Progress.h"

#include "ui/MessagePump.h"

#include <memory>

namespace tarvel {
namespace {

const char* const kEllipsis = "...";

std::unique_ptr<TProgressControler>& Current() {
    static std::unique_ptr<TProgressControler> controler;
    return controler;
}

IProgressWindow* gWindow = nullptr;

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// Drops the last character, a whole UTF-8 sequence.
void DropLastCharacter(std::string& s) {
    std::size_t end = s.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80)
        --end;
    s.erase(end);
}

std::string Trimmed(const std::string& s) {
    std::size_t begin = 0, end = s.size();
    while (begin < end && IsBlank(s[begin]))
        ++begin;
    while (end > begin && IsBlank(s[end - 1]))
        --end;
    return s.substr(begin, end - begin);
}

void Range(TProgressChannel channel, std::int32_t min, std::int32_t max, std::int32_t position) {
    if (Current())
        Current()->SetRange(channel, min, max, position);
    ProcessMessages();
}

void Percent(TProgressChannel channel, std::int32_t position) {
    if (Current())
        Current()->SetPercent(channel, position);
    ProcessMessages();
}

void Text(TProgressChannel channel, const std::string& text, std::int32_t position) {
    if (Current())
        Current()->SetText(channel, text, position);
}

void Title(TProgressChannel channel, const std::string& title) {
    if (Current())
        Current()->SetTitle(channel, title);
}

} // namespace

std::string FitProgressText(const std::string& title, const std::string& text, int barWidth,
                            const std::function<int(const std::string&)>& measure) {
    std::string s = title.empty() ? text : title + ": " + text;
    const std::size_t length = s.size();
    while (!s.empty() && measure(s + kEllipsis) > barWidth)
        DropLastCharacter(s);
    s = Trimmed(s);
    if (s.size() != length)
        s += kEllipsis;
    return s;
}

void AttachProgress(IProgressBar* totalBar, IProgressBar* detailBar, IProgressLabel* totalLabel,
                    const std::string& detailTitle, const std::string& totalTitle,
                    ICancelControl* cancelControl, IProgressLabel* detailLabel) {
    ReleaseProgress();
    Current() = std::make_unique<TProgressControler>(totalBar, detailBar, totalLabel, detailLabel,
                                                     cancelControl);
    Current()->SetTitle(pcTotal, totalTitle);
    Current()->SetTitle(pcDetail, detailTitle);
}

void ReleaseProgress() {
    // Forgotten before it is freed, so nothing reaches a controller half torn down.
    std::unique_ptr<TProgressControler> released = std::move(Current());
}

bool IsProgressCancelled() {
    return Current() && Current()->CancelRequested();
}

void SetTotalProgress(std::int32_t min, std::int32_t max, std::int32_t position) {
    Range(pcTotal, min, max, position);
}

void SetDetailProgress(std::int32_t min, std::int32_t max, std::int32_t position) {
    Range(pcDetail, min, max, position);
}

void SetTotalPercent(std::int32_t position) {
    Percent(pcTotal, position);
}

void SetDetailPercent(std::int32_t position) {
    Percent(pcDetail, position);
}

void SetTotalText(const std::string& text, std::int32_t position) {
    Text(pcTotal, text, position);
}

void SetDetailText(const std::string& text, std::int32_t position) {
    Text(pcDetail, text, position);
}

void SetTotalTitle(const std::string& title) {
    Title(pcTotal, title);
}

void SetDetailTitle(const std::string& title) {
    Title(pcDetail, title);
}

void SetCurrentProgressWindow(IProgressWindow* window) {
    gWindow = window;
}

IProgressWindow* CurrentProgressWindow() {
    return gWindow;
}

void SetWindowProgress(std::int32_t min, std::int32_t max, std::int32_t position,
                       TProgressChannel channel) {
    if (!gWindow)
        return;
    if (channel == pcTotal)
        SetTotalProgress(min, max, position);
    else if (channel == pcDetail)
        SetDetailProgress(min, max, position);
}

bool SetWindowProgressText(const std::string& text, std::int32_t position,
                           TProgressChannel channel) {
    if (!gWindow)
        return false;
    if (channel == pcTotal)
        SetTotalText(text, position);
    else if (channel == pcDetail)
        SetDetailText(text, position);
    gWindow->Repaint();
    ProcessMessages();
    return true;
}

bool IsWindowCancelled() {
    return gWindow && gWindow->CancelPressed();
}

} // namespace tarvel
