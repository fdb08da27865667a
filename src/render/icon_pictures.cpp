// Icon pictures. Arrows are white on black, because the view ORs them over
// the picture; the eyes sit on the part list's light grey.
#include "render/icon_pictures.h"

#include <string_view>

// clang-format off
constexpr const char* fourWayArrows[ICON_SIZE] = {
    "                        ",
    "           ##           ",
    "          ####          ",
    "         ######         ",
    "        ########        ",
    "       ##########       ",
    "          ####          ",
    "     #    ####    #     ",
    "    ##    ####    ##    ",
    "   ###    ####    ###   ",
    "  ####################  ",
    " ###################### ",
    " ###################### ",
    "  ####################  ",
    "   ###    ####    ###   ",
    "    ##    ####    ##    ",
    "     #    ####    #     ",
    "          ####          ",
    "       ##########       ",
    "        ########        ",
    "         ######         ",
    "          ####          ",
    "           ##           ",
    "                        "};

constexpr const char* circularArrows[ICON_SIZE] = {
    "                        ",
    "                        ",
    "                        ",
    "           ##           ",
    "        ########        ",
    "      ############  #   ",
    "     #####    #######   ",
    "     ###        #####   ",
    "    ###         #####   ",
    "    ###        ######   ",
    "               ######   ",
    "                        ",
    "                        ",
    "   ######               ",
    "   ######        ###    ",
    "   #####         ###    ",
    "   #####        ###     ",
    "   #######    #####     ",
    "   #  ############      ",
    "        ########        ",
    "           ##           ",
    "                        ",
    "                        ",
    "                        "};

constexpr const char* doubleArrowLeft[ICON_SIZE] = {
    "                        ",
    "                        ",
    "                        ",
    "           #        #   ",
    "          ##       ##   ",
    "         ###      ###   ",
    "        ####     ####   ",
    "       #####    #####   ",
    "      ######   ######   ",
    "     #######  #######   ",
    "    ######## ########   ",
    "   ##################   ",
    "   ##################   ",
    "    ######## ########   ",
    "     #######  #######   ",
    "      ######   ######   ",
    "       #####    #####   ",
    "        ####     ####   ",
    "         ###      ###   ",
    "          ##       ##   ",
    "           #        #   ",
    "                        ",
    "                        ",
    "                        "};

constexpr const char* openEye[EYE_SIZE] = {
    "----------------",
    "----------------",
    "----------------",
    "------@@@@------",
    "----@@@@@@@@----",
    "---@@#xxxx#@@---",
    "--@##xx@@xx##@--",
    "-@###x@@@@x###@-",
    "-@###x@@@@x###@-",
    "--@##xx@@xx##@--",
    "---@@#xxxx#@@---",
    "----@@@@@@@@----",
    "------@@@@------",
    "----------------",
    "----------------",
    "----------------"};

constexpr const char* closedEye[EYE_SIZE] = {
    "----------------",
    "----------------",
    "----------------",
    "----------------",
    "----------------",
    "-@@----------@@-",
    "--@@@------@@@--",
    "----@@@@@@@@----",
    "---@--@--@--@---",
    "--@---@--@---@--",
    "-@----@--@----@-",
    "----------------",
    "----------------",
    "----------------",
    "----------------",
    "----------------"};
// clang-format on

namespace {
// Every row of a picture is exactly as long as the picture is high: the strip
// is filled by reading size characters of each row.
constexpr bool square(const char* const* rows, size_t size) {
    for (size_t y = 0; y < size; ++y)
        if (std::string_view(rows[y]).size() != size) return false;
    return true;
}
static_assert(square(fourWayArrows, ICON_SIZE) && square(circularArrows, ICON_SIZE) &&
              square(doubleArrowLeft, ICON_SIZE));
static_assert(square(openEye, EYE_SIZE) && square(closedEye, EYE_SIZE));
} // namespace

uint8_t iconGrey(char c) {
    switch (c) {
    case '#':
        return 0xFF; // arrows, white of the eye
    case '-':
        return 0xE0; // the part list's background
    case 'x':
        return 0x70; // iris
    case '@':
        return 0x20; // eye outline and pupil
    default:
        return 0x00; // black, left alone by the OR
    }
}
