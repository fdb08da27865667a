// Text conversion, the panel font's fit and the accelerator table's key rules.
#include "platform/qt/qt_input_filter.h"
#include "platform/qt/qt_looks.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

TEST(ProgramText, Utf8PassesAndOtherBytesAreWindows1252) {
    EXPECT_EQ(fromProgramText("K\xC3\xA4r"), QStringLiteral("K\u00E4r"));
    // Not UTF-8: 0x80..0x9F are the Windows-1252 characters, the others themselves.
    EXPECT_EQ(fromProgramText("90\xB0 \x96\x7F\x80\x9F\xA0\xFF"),
              QStringLiteral("90\u00B0 \u2013\u007F\u20AC\u0178\u00A0\u00FF"));
    EXPECT_EQ(fromProgramText("\xC3\xA4\xB0"), QStringLiteral("\u00C3\u00A4\u00B0"));
}

TEST(LookFonts, PanelTextFitsItsCells) {
    QFontMetrics panel(makeLookFonts().panel);
    EXPECT_LE(panel.height(), OWNER_ITEM_HEIGHT); // a line fits a list row
    // The longest fixed-width text of the panel fits beside its check mark.
    EXPECT_LE(panel.horizontalAdvance(QStringLiteral("Driver movement")), 109);
}

TEST(AcceleratorTable, LettersGoWithControlOtherKeysAlone) {
    const std::vector<Accelerator> table = {
        {ACCEL_LETTER, 'O', 1}, {ACCEL_LETTER, 'z', 2}, {ACCEL_F5, 0, 3}, {ACCEL_RIGHT, 0, 4}};
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier,
                                alt = Qt::AltModifier, pad = Qt::KeypadModifier, no;
    const std::tuple<int, Qt::KeyboardModifiers, int> cases[] = {
        {Qt::Key_O, ctrl, 1},   {Qt::Key_O, ctrl | shift, 1}, {Qt::Key_Z, ctrl, 2},
        {Qt::Key_O, no, 0},     {Qt::Key_O, ctrl | alt, 0},   {Qt::Key_F5, no, 3},
        {Qt::Key_F5, shift, 0}, {Qt::Key_F5, ctrl, 0},        {Qt::Key_Right, pad, 4},
        {Qt::Key_Left, no, 0}};
    for (auto [key, keys, command] : cases)
        EXPECT_EQ(acceleratorCommand(table, key, keys), command) << key << "/" << keys.toInt();
}
