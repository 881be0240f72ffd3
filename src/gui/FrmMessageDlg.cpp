#include "gui/FrmMessageDlg.h"

#include "gui/ButtonKeys.h"
#include "gui/GuiSupport.h"
#include "gui/MessageImages.h"
#include "ui/MsgDlgLogic.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace tarvel {
namespace {

constexpr int kMargin = 16;
constexpr int kTextLeft = 56;
constexpr int kCustomTextLeft = 12;
constexpr int kTextGap = 38;
constexpr int kExtraHeight = 78;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonStep = 83;
constexpr int kButtonRowLeft = 12;
constexpr int kButtonRowFromBottom = 36;
constexpr int kMessagePixelSize = 13;
constexpr int kButtonPointSize = 6;

} // namespace

TfrmMessageDlg::TfrmMessageDlg(const TMsgDialogRequest& request, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Request(request), Image(new QLabel(this)), Message(new QLabel(this)) {
    setWindowTitle(ToQt(Request.Caption));
    setModal(true);

    const bool custom = Request.Kind == TMsgKind::mkCustom;
    Image->setGeometry(kMargin, kMargin, kMessageImageSize, kMessageImageSize);
    Image->setPixmap(MessageImage(Request.Kind));
    Image->setVisible(!custom);

    Message->setTextFormat(Qt::PlainText);
    Message->setWordWrap(false);
    Message->setFont(ClassicFont(kMessagePixelSize));
    Message->setForegroundRole(QPalette::WindowText);
    Message->setText(ToQt(Request.Text));
    Message->adjustSize();
    Message->move(custom ? kCustomTextLeft : kTextLeft, kMargin);

    const int clientHeight = Message->height() + kExtraHeight;
    const int n = static_cast<int>(Request.Buttons.size());
    const int textWidth = (custom ? 0 : kMessageImageSize) + kTextGap + Message->width();
    const int rowWidth = kButtonStep * n + 16;
    int clientWidth = rowWidth;
    int firstLeft = kButtonRowLeft;
    if (textWidth > rowWidth) {
        clientWidth = textWidth;
        firstLeft = (clientWidth - kButtonStep * n + 8) / 2;
    }
    setFixedSize(clientWidth, clientHeight);
    CreateButtons(firstLeft, clientHeight - kButtonRowFromBottom);
    installEventFilter(this);
    CentreOnScreen(this);
}

void TfrmMessageDlg::CreateButtons(int left, int top) {
    QFont font = ClassicFont(kMessagePixelSize);
    font.setPointSize(kButtonPointSize);
    for (const TMsgButtonInfo& info : Request.Buttons) {
        auto* button = new QPushButton(ToQt(info.Caption), this);
        // The dialog handles every key itself; the caption only underlines the letter.
        button->setShortcut(QKeySequence());
        button->setFont(font);
        button->setGeometry(left, top, kButtonWidth, kButtonHeight);
        button->setAutoDefault(true);
        button->installEventFilter(this);
        const std::int32_t result = info.ModalResult;
        connect(button, &QPushButton::clicked, this, [this, result] {
            if (result != mrNone)
                done(result);
        });
        ButtonWidgets.push_back(button);
        left += kButtonStep;
    }
    if (!ButtonWidgets.empty())
        ButtonWidgets.front()->setFocus();
}

std::uint16_t TfrmMessageDlg::Execute() {
    return static_cast<std::uint16_t>(exec());
}

bool TfrmMessageDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (event->type() == QEvent::ShortcutOverride) {
            if (key.key() == Qt::Key_Escape || IsCopyKey(key) || IsAccelerator(key)) {
                event->accept();
                return true;
            }
        } else if (HandleKey(key)) {
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmMessageDlg::reject() {
    done(mrCancel);
}

bool TfrmMessageDlg::HandleKey(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Escape) {
        if (auto result = EscapeResult(Request.Kind, Request.Buttons))
            done(*result);
        return true;
    }
    if (IsCopyKey(key)) {
        QGuiApplication::clipboard()->setText(ToQt(Request.Text));
        return true;
    }
    if (!IsAccelerator(key))
        return false;
    if (auto result = AcceleratorOf(key))
        done(*result);
    return true;
}

bool TfrmMessageDlg::IsCopyKey(const QKeyEvent& key) const {
    const auto modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return modifiers == Qt::ControlModifier &&
           (key.key() == Qt::Key_Insert || IsButtonKey('C', key));
}

bool TfrmMessageDlg::IsAccelerator(const QKeyEvent& key) const {
    if (key.modifiers() & Qt::ControlModifier)
        return false;
    for (const TMsgButtonInfo& info : Request.Buttons)
        if (IsButtonKey(info.Key, key))
            return true;
    return false;
}

std::optional<std::uint16_t> TfrmMessageDlg::AcceleratorOf(const QKeyEvent& key) const {
    for (const TMsgButtonInfo& info : Request.Buttons)
        if (IsButtonKey(info.Key, key))
            return AcceleratorResult(info.Key, Request.Buttons);
    return std::nullopt;
}

} // namespace tarvel
