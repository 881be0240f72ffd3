#pragma once

#include "ui/ProgressControler.h"

#include <cstdint>
#include <functional>
#include <string>

namespace tarvel {

// The text a channel shows: title and text (or the text alone), cut from its end until it fits
// the bar's width together with "...", blanks trimmed, "..." appended when anything changed.
std::string FitProgressText(const std::string& title, const std::string& text, int barWidth,
                            const std::function<int(const std::string&)>& measure);

// Operations on the current controller; without one they do nothing and the query answers
// false. The range and percent operations process pending events afterwards.
void AttachProgress(IProgressBar* totalBar, IProgressBar* detailBar, IProgressLabel* totalLabel,
                    const std::string& detailTitle, const std::string& totalTitle,
                    ICancelControl* cancelControl, IProgressLabel* detailLabel);
void ReleaseProgress();
bool IsProgressCancelled();
void SetTotalProgress(std::int32_t min, std::int32_t max, std::int32_t position);
void SetDetailProgress(std::int32_t min, std::int32_t max, std::int32_t position);
void SetTotalPercent(std::int32_t position);
void SetDetailPercent(std::int32_t position);
void SetTotalText(const std::string& text, std::int32_t position);
void SetDetailText(const std::string& text, std::int32_t position);
void SetTotalTitle(const std::string& title);
void SetDetailTitle(const std::string& title);

// The stand-alone progress window the window layer has open, if any (not owned).
void SetCurrentProgressWindow(IProgressWindow* window);
IProgressWindow* CurrentProgressWindow();

// Operations on the stand-alone window; without one they do nothing and answer false.
// A channel other than pcTotal or pcDetail changes nothing.
void SetWindowProgress(std::int32_t min, std::int32_t max, std::int32_t position,
                       TProgressChannel channel);
bool SetWindowProgressText(const std::string& text, std::int32_t position,
                           TProgressChannel channel);
bool IsWindowCancelled();

} // namespace tarvel
