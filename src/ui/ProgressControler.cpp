#include "ui/ProgressControler.h"

#include "ui/MsgDlg.h"
#include "ui/Progress.h"

#include <limits>

namespace tarvel {
namespace {

const char* const kAskCancel = "Ви справді бажаєте зупинити процес?";

} // namespace

TProgressControler::TProgressControler(IProgressBar* totalBar, IProgressBar* detailBar,
                                       IProgressLabel* totalLabel, IProgressLabel* detailLabel,
                                       ICancelControl* cancelControl)
    : Bars{totalBar, detailBar}, Labels{totalLabel, detailLabel}, CancelControl(cancelControl) {
    if (CancelControl) {
        SavedClickHandler = CancelControl->ClickHandler();
        CancelControl->SetClickHandler([this] { AskCancel(); });
    }
}

TProgressControler::~TProgressControler() {
    if (CancelControl)
        CancelControl->SetClickHandler(SavedClickHandler);
    for (std::size_t channel = 0; channel < Labels.size(); ++channel) {
        if (!Labels[channel])
            continue;
        Titles[channel].clear();
        Labels[channel]->SetText("");
        if (Bars[channel])
            Bars[channel]->SetPosition(0);
    }
}

void TProgressControler::SetTitle(TProgressChannel channel, const std::string& title) {
    Titles.at(channel) = title;
    if (Labels[channel])
        Labels[channel]->SetText(title);
}

void TProgressControler::SetRange(TProgressChannel channel, std::int32_t min, std::int32_t max,
                                  std::int32_t position) {
    if (IProgressBar* bar = Bars.at(channel)) {
        bar->SetMin(min);
        bar->SetMax(max);
    }
    SetPercent(channel, position);
}

void TProgressControler::SetPercent(TProgressChannel channel, std::int32_t position) {
    SetPosition(channel, position);
    ShowChannelText(channel, std::to_string(position) + "%");
}

void TProgressControler::SetText(TProgressChannel channel, const std::string& text,
                                 std::int32_t position) {
    SetPosition(channel, position);
    ShowChannelText(channel, text);
}

void TProgressControler::AskCancel() {
    if (MsgDlg(kAskCancel, TMsgKind::mkWarning, MsgButtons({btYes, btNo})) == mrYes)
        Cancelled = true;
}

void TProgressControler::SetPosition(TProgressChannel channel, std::int32_t position) {
    if (IProgressBar* bar = Bars.at(channel))
        bar->SetPosition(position);
}

void TProgressControler::ShowChannelText(TProgressChannel channel, const std::string& text) {
    IProgressLabel* label = Labels.at(channel);
    if (!label)
        return;
    const int limit = Bars[channel] ? Bars[channel]->Width() : std::numeric_limits<int>::max();
    label->SetText(FitProgressText(Titles[channel], text, limit,
                                   [label](const std::string& s) { return label->TextWidth(s); }));
}

} // namespace tarvel
