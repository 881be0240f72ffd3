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
constexpr int kButtonHeight = 25;
constexpr int kMessagePixelSize = 13;
constexpr int kButtonPointSize = 6;

} // namespace

TfrmMessageDlg::TfrmMessageDlg(const TMsgDialogRequest& request, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Request(request), Image(new QLabel(this)), Message(new QLabel(this)) {
    setWindowTitle(ToQt(Request.Caption));
    setModal(true);

    Image->setGeometry(kMargin, kMargin, kMessageImageSize, kMessageImageSize);
    Image->setPixmap(MessageImage(Request.Kind));
    Image->setVisible(Request.Kind != TMsgKind::mkCustom);

    Message->setTextFormat(Qt::PlainText);
    Message->setWordWrap(false);
    Message->setFont(ClassicFont(kMessagePixelSize));
    Message->setForegroundRole(QPalette::WindowText);
    Message->setText(ToQt(Request.Text));
    Message->adjustSize();

    const TMsgDlgLayout layout = MsgDlgLayout(Request.Kind, Message->width(), Message->height(),
                                              static_cast<int>(Request.Buttons.size()));
    Message->move(layout.MessageLeft, kMargin);
    setFixedSize(layout.ClientWidth, layout.ClientHeight);
    CreateButtons(layout.FirstButtonLeft, layout.ButtonTop);
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
        button->setGeometry(left, top, TMsgDlgLayout::ButtonWidth, kButtonHeight);
        button->setAutoDefault(true);
        button->installEventFilter(this);
        const std::int32_t result = info.ModalResult;
        connect(button, &QPushButton::clicked, this, [this, result] {
            if (result != mrNone)
                done(result);
        });
        ButtonWidgets.push_back(button);
        left += TMsgDlgLayout::ButtonStep;
    }
    if (!ButtonWidgets.empty())
        ButtonWidgets.front()->setFocus();
}

std::uint16_t TfrmMessageDlg::Execute() {
    return static_cast<std::uint16_t>(exec());
}

bool TfrmMessageDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        // Keys the dialog handles are taken before any shortcut sees them.
        const bool perform = event->type() == QEvent::KeyPress;
        if (HandleKey(static_cast<const QKeyEvent&>(*event), perform)) {
            event->accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmMessageDlg::reject() {
    done(mrCancel);
}

bool TfrmMessageDlg::HandleKey(const QKeyEvent& key, bool perform) {
    const std::uint16_t code = VirtualKey(key);
    const TMsgKeyAction action =
        MsgDlgKeyAction(code, ShiftState(key), Request.Kind, Request.Buttons);
    if (perform && action.Kind == TMsgKeyAction::kaClose)
        done(action.Result);
    else if (perform && action.Kind == TMsgKeyAction::kaCopy)
        QGuiApplication::clipboard()->setText(ToQt(Request.Text));
    // Escape never reaches the default handling, which would close the dialog.
    return action.Kind != TMsgKeyAction::kaNone || code == vkEscape;
}

} // namespace tarvel
