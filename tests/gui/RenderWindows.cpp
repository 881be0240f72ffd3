// Renders every kind of window of the GUI layer to PNG files, so they can be looked at:
//   gui_render_windows <output folder>
#include "gui/FlatButton.h"
#include "gui/FrmErrorDlg.h"
#include "gui/FrmMessageDlg.h"
#include "gui/FrmProgress.h"
#include "gui/FrmTemplatePBOk.h"
#include "gui/ProgressWindow.h"
#include "gui/QtPorts.h"
#include "gui/SpeedButtonEx.h"
#include "ui/MsgDlgLogic.h"
#include "ui/Progress.h"
#include "ui/ProgressHelper.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace tarvel {
namespace {

QDir gOutput;

void Save(QWidget* window, const char* name) {
    window->show();
    // Two rounds: layout first, then the paint of the animation's next frame.
    QApplication::processEvents();
    QApplication::processEvents();
    const QString path = gOutput.filePath(QString::fromLatin1(name) + ".png");
    if (!window->grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    window->hide();
}

void RenderMessage(const char* name, TMsgKind kind, TMsgButtons buttons, const std::string& text) {
    TMsgDialogRequest request{kind, DefaultCaption(kind), NormaliseMessageText(text),
                              StandardButtons(buttons)};
    TfrmMessageDlg dialog(request);
    Save(&dialog, name);
}

void RenderMessages() {
    RenderMessage("message_warning", TMsgKind::mkWarning, MsgButtons({btOk}),
                  "На диску недостатньо місця для резервної копії!");
    RenderMessage("message_error", TMsgKind::mkError, MsgButtons({btOk}),
                  "Невірний пароль, модифікацію зупинено!");
    RenderMessage("message_information", TMsgKind::mkInformation, MsgButtons({btOk}),
                  "Модифікація успішно виконана");
    RenderMessage("message_confirmation", TMsgKind::mkConfirmation, MsgButtons({btYes, btNo}),
                  "Ви справді бажаєте зупинити процес?");
    RenderMessage("message_custom", TMsgKind::mkCustom, MsgButtons({btAbort, btRetry, btIgnore}),
                  "Ок");
    RenderMessage("message_multiline", TMsgKind::mkWarning,
                  MsgButtons({btYes, btNo, btCancel, btAll, btNoToAll, btYesToAll}),
                  "Перший рядок повідомлення\nДругий, трохи довший рядок повідомлення ?!");
}

void RenderErrorDialog() {
    TfrmErrorDlg dialog("Помилка збереження",
                        "Не вдалося зберегти зміни у таблиці DICT_SETTING.\n"
                        "Перевірте з'єднання з базою даних і повторіть спробу.",
                        "ERROR:  duplicate key value violates unique constraint\n"
                        "SQLSTATE: 23505\nupdate dict_setting set setting_value = '1.0.2.1'");
    Save(&dialog, "error_dialog");
    dialog.btnDetail()->click();
    Save(&dialog, "error_dialog_details");
}

void RenderProgress() {
    OpenProgressWindow("Завантаження звітів", "Прервать", "", "", aviCopyFile, true, true);
    TfrmProgress* window = ProgressWindow();
    SetTotalTitle("Відновлення з резервної копії; сумарно");
    SetTotalPercent(40);
    SetDetailTitle("Розархівування");
    SetDetailText("/var/lib/postgresql/15/main/base/16384/2619_fsm та інші файли", 65);
    Save(window, "progress_window");
    window->SetShowCancel(false);
    window->SetShowTotal(false);
    SetDetailTitle("Архівація");
    SetDetailPercent(37);
    Save(window, "progress_window_small");
    CloseProgressWindow();
}

void RenderBusyWindow(TQtPorts& ports) {
    TProgressHelper::Show("Підготовка до запуску...");
    Save(ports.BusyWindow().Window(), "busy_window");
    TProgressHelper::Hide();
}

void RenderTemplate() {
    TfrmTemplatePBOk form;
    form.setWindowTitle("Шаблон вікна");
    auto* save = new TFlatButton(&form);
    save->SetCaption("Зберегти файл помилки...");
    save->setGeometry(16, 16, 190, 25);
    save->SetDefault(true);
    auto* exit = new TFlatButton(&form);
    exit->SetCaption("Ви&хід");
    exit->setGeometry(220, 16, 75, 25);
    exit->SetFlat(true);
    auto* disabled = new TFlatButton(&form);
    disabled->SetCaption("Вимкнена");
    disabled->setGeometry(310, 16, 90, 25);
    disabled->setEnabled(false);
    auto* run = new TSpeedButtonEx(&form);
    run->setText("Виконати");
    run->SetFlat(true);
    run->setGeometry(16, 56, 90, 25);
    Save(&form, "template_and_buttons");
}

} // namespace
} // namespace tarvel

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    tarvel::gOutput = QDir(QString::fromLocal8Bit(argv[1]));
    if (!tarvel::gOutput.mkpath(".")) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    tarvel::TQtPorts ports;
    tarvel::RenderMessages();
    tarvel::RenderErrorDialog();
    tarvel::RenderProgress();
    tarvel::RenderBusyWindow(ports);
    tarvel::RenderTemplate();
    return 0;
}
