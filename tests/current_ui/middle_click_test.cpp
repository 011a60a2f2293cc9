// A middle click pastes the primary selection on X11. It must go through
// the field's filter like typing and Ctrl+V. The offscreen platform has no
// primary selection, so the check runs in a child of this test program on
// a virtual X server.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QProcess>
#include <QStandardPaths>

#include "configurator/ui/field_edit.h"
#include "window_fixture.h"

namespace tevral::ui::uitest {
namespace {

// Run only by the test below, in the child, where the display is X11.
TEST(DISABLED_MiddleClickUnderX11, PastesOnlyWhatTheFieldTakes) {
  ASSERT_TRUE(QApplication::clipboard()->supportsSelection());
  struct Case {
    TypingRules rules;
    QString before;
    QString selection;
    QString after;
  };
  const Case cases[] = {
      {{TypingFilter::kDigits, {}, 4}, "0", "1a2b3c4d", "0123"},
      {{TypingFilter::kListed, "0123456789ABCDEF", 2}, "", "x1g2", "12"},
      {{TypingFilter::kFree, {}, 0}, "", QStringLiteral("a€b中c"), QStringLiteral("a€bc")},
  };
  for (const Case& c : cases) {
    QWidget window;
    auto* edit = new FieldEdit(c.rules, &window);
    edit->resize(200, 24);
    edit->SetProgramText(c.before);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    edit->setFocus();
    edit->end(false);
    QApplication::clipboard()->setText(c.selection, QClipboard::Selection);
    // At the right end of the text, where the cursor already stands.
    const QPoint end(edit->width() - 4, edit->height() / 2);
    QTest::mouseClick(edit, Qt::MiddleButton, Qt::NoModifier, end);
    EXPECT_EQ(edit->text(), c.after) << c.selection.toStdString();
  }
}

TEST(MiddleClickPaste, GoesThroughTheFieldFilterUnderX11) {
  const QString xvfb_run = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
  ASSERT_FALSE(xvfb_run.isEmpty()) << "xvfb-run is installed by scripts/setup.sh";
  QProcess child;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  child.setProcessEnvironment(environment);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(xvfb_run, {QStringLiteral("-a"), QCoreApplication::applicationFilePath(),
                         QStringLiteral("--gtest_also_run_disabled_tests"),
                         QStringLiteral("--gtest_filter=DISABLED_MiddleClickUnderX11.*")});
  ASSERT_TRUE(child.waitForFinished(120000));
  const QString output = QString::fromLocal8Bit(child.readAll());
  EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
}

}  // namespace
}  // namespace tevral::ui::uitest
