// Text conversion, the looks' fonts, the accelerator table's key rules and
// the addresses handed to the desktop.
#include "platform/qt/qt_input_filter.h"
#include "platform/qt/qt_looks.h"
#include "platform/qt/qt_shared.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFontMetrics>

TEST(ProgramText, Utf8PassesAndOtherBytesAreWindows1252) {
    EXPECT_EQ(fromProgramText("Save as..."), QStringLiteral("Save as..."));
    EXPECT_EQ(fromProgramText("K\xC3\xA4"
                              "fer"),
              QStringLiteral("K\u00E4fer"));
    // The markers and the degree sign of the panel, as single bytes.
    EXPECT_EQ(fromProgramText("90\xB0"), QStringLiteral("90\u00B0"));
    EXPECT_EQ(fromProgramText("\x96 Don't Chrome"), QStringLiteral("\u2013 Don't Chrome"));
    EXPECT_EQ(fromProgramText("\xB1\x80\x9F"), QStringLiteral("\u00B1\u20AC\u0178"));
    // A stray continuation byte makes the whole text single bytes.
    EXPECT_EQ(fromProgramText("\xC3\xA4\xB0"), QStringLiteral("\u00C3\u00A4\u00B0"));
}

TEST(ProgramText, BackToBytesWithLimit) {
    EXPECT_EQ(toProgramText(QStringLiteral("2,25 \u00E9\u2013\u20AC")), "2,25 \xE9\x96\x80");
    EXPECT_EQ(toProgramText(QStringLiteral("\u03A9x")), "?x");
    EXPECT_EQ(toProgramText(QStringLiteral("abcdef"), 4), "abcd");
    EXPECT_EQ(toProgramText(QStringLiteral("abc"), 0), "");
    for (int byte = 0x20; byte < 0x100; byte++) {
        std::string text(1, static_cast<char>(byte));
        if (byte >= 0x80) text += '\xFF'; // not UTF-8: single bytes
        EXPECT_EQ(toProgramText(fromProgramText(text)), text) << byte;
    }
}

TEST(LookFonts, PixelSizesOfTheLooks) {
    LookFonts fonts = makeLookFonts();
    EXPECT_EQ(fonts.panel.pixelSize(), 13);
    EXPECT_LE(QFontMetrics(fonts.panel).height(), OWNER_ITEM_HEIGHT); // lines fit list rows
    // The longest fixed-width text of the panel fits beside its check mark.
    EXPECT_LE(QFontMetrics(fonts.panel).horizontalAdvance(QStringLiteral("Driver movement")), 109);
    EXPECT_EQ(fonts.header.pixelSize(), 12);
    EXPECT_EQ(fonts.header.weight(), QFont::Bold);
    EXPECT_EQ(fonts.small.pixelSize(), 10);
    EXPECT_EQ(&lookFont(fonts, LOOK_STATUS), &fonts.small);
    EXPECT_EQ(lookBackground(LOOK_HEADER), 0x808080u);
    EXPECT_EQ(lookTextColour(LOOK_STATUS), 0xFFFFFFu);
    EXPECT_EQ(lookBackground(LOOK_STATUS), 0u);
    EXPECT_EQ(lookBackground(LOOK_SMALL), 0xC0C0C0u);
}

TEST(AcceleratorTable, KeysAndModifiers) {
    std::vector<Accelerator> table = {{ACCEL_LETTER, 'O', 1000}, {ACCEL_LETTER, 'z', 1005},
                                      {ACCEL_F5, 0, 1008},       {ACCEL_TAB, 0, 1100},
                                      {ACCEL_RIGHT, 0, 1110},    {ACCEL_END, 0, 1116}};
    EXPECT_EQ(acceleratorCommand(table, Qt::Key_O, Qt::ControlModifier), 1000);
    EXPECT_EQ(acceleratorCommand(table, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier), 1000);
    EXPECT_EQ(acceleratorCommand(table, Qt::Key_Z, Qt::ControlModifier), 1005);
    EXPECT_EQ(acceleratorCommand(table, Qt::Key_O, Qt::NoModifier), 0);
    EXPECT_EQ(acceleratorCommand(table, Qt::Key_O, Qt::ControlModifier | Qt::AltModifier), 0);
    EXPECT_EQ(acceleratorCommand(table, Qt::Key_F5, Qt::NoModifier), 1008);
    EXPECT_EQ(acceleratorCommand(table, Qt::Key_F5, Qt::ShiftModifier), 0);
    EXPECT_EQ(acceleratorCommand(table, Qt::Key_Tab, Qt::NoModifier), 1100);
    EXPECT_EQ(acceleratorCommand(table, Qt::Key_Tab, Qt::ControlModifier), 0);
    EXPECT_EQ(acceleratorCommand(table, Qt::Key_Right, Qt::KeypadModifier), 1110);
    EXPECT_EQ(acceleratorCommand(table, Qt::Key_End, Qt::NoModifier), 1116);
    EXPECT_EQ(acceleratorCommand(table, Qt::Key_Left, Qt::NoModifier), 0);
}

TEST(DesktopAddresses, SchemesStayAndPathsBecomeFiles) {
    EXPECT_EQ(desktopUrl("https://vornix.example/help").toString(),
              QStringLiteral("https://vornix.example/help"));
    QUrl page = desktopUrl("/usr/share/vornix/help/parts page.html");
    EXPECT_TRUE(page.isLocalFile());
    EXPECT_EQ(page.toLocalFile(), QStringLiteral("/usr/share/vornix/help/parts page.html"));
    QUrl relative = desktopUrl("help/index.html");
    EXPECT_EQ(relative.toLocalFile(),
              QDir::current().absoluteFilePath(QStringLiteral("help/index.html")));
}
