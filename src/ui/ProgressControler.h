#pragma once

#include "ui/ProgressControls.h"

#include <array>
#include <cstdint>
#include <string>

namespace tarvel {

enum TProgressChannel : std::uint8_t { pcTotal = 0, pcDetail = 1 };

// Drives a pair of bars and labels: positions, texts fitted to the bar's width, and the
// "the user asked to stop" flag. Created and freed through AttachProgress / ReleaseProgress.
class TProgressControler {
public:
    // Takes over the cancel control's click handler (it then asks before setting the flag).
    TProgressControler(IProgressBar* totalBar, IProgressBar* detailBar, IProgressLabel* totalLabel,
                       IProgressLabel* detailLabel, ICancelControl* cancelControl);
    // Gives the cancel control its handler back, empties the labels and puts the bars at 0.
    ~TProgressControler();
    TProgressControler(const TProgressControler&) = delete;
    TProgressControler& operator=(const TProgressControler&) = delete;

    void SetTitle(TProgressChannel channel, const std::string& title);
    void SetRange(TProgressChannel channel, std::int32_t min, std::int32_t max,
                  std::int32_t position);
    void SetPercent(TProgressChannel channel, std::int32_t position);
    void SetText(TProgressChannel channel, const std::string& text, std::int32_t position);
    bool CancelRequested() const { return Cancelled; }
    void AskCancel();

private:
    void SetPosition(TProgressChannel channel, std::int32_t position);
    void ShowChannelText(TProgressChannel channel, const std::string& text);

    std::array<IProgressBar*, 2> Bars;
    std::array<IProgressLabel*, 2> Labels;
    std::array<std::string, 2> Titles;
    ICancelControl* CancelControl;
    ICancelControl::TClickHandler SavedClickHandler;
    bool Cancelled = false;
};

} // namespace tarvel
