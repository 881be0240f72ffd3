#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// The renderer writes into the build tree, where the pictures stay for a reviewer.
TEST(RenderWindowsTest, EveryWindowIsDrawn) {
    const QString output = QStringLiteral(TARVEL_RENDER_OUTPUT);
    QDir(output).removeRecursively();
    QProcess renderer;
    renderer.start(QStringLiteral(TARVEL_RENDER_PROGRAM), {output});
    ASSERT_TRUE(renderer.waitForFinished(60000));
    ASSERT_EQ(renderer.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(renderer.exitCode(), 0) << renderer.readAllStandardError().toStdString();

    const char* names[] = {"message_warning",       "message_error",        "message_information",
                           "message_confirmation",  "message_custom",       "message_multiline",
                           "error_dialog",          "error_dialog_details", "progress_window",
                           "progress_window_small", "busy_window",          "template_and_buttons"};
    for (const char* name : names) {
        const QImage image(QDir(output).filePath(QString::fromLatin1(name) + ".png"));
        ASSERT_FALSE(image.isNull()) << name;
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 8) << name << " looks blank";
    }
}

} // namespace
