#pragma once

#include "ui/MsgDlg.h"

#include <QPixmap>
#include <array>

namespace tarvel {

// The 32×32 pictures of the dialog kinds, in the order of TMsgKind: warning, error,
// information, question. The custom kind has none.
const std::array<QPixmap, 4>& MessageImages();

// The picture of a kind; a null pixmap for mkCustom.
QPixmap MessageImage(TMsgKind kind);

constexpr int kMessageImageSize = 32;

} // namespace tarvel
