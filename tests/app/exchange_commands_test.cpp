// The Parts page's export and import buttons: the dialog, the file type
// chosen in it, the remembered path, the overwrite question, and the undo
// step an import adds.
#include "editor_fixture.h"

#include <fstream>

TEST_F(CarTest, ExportAndImportAPartThroughTheButtons) {
    page(PAGE_PARTS);
    const std::string carFolder = model.fcePath.substr(0, model.fcePath.rfind('/') + 1);
    auto exportAs = [this](const std::string& name, int filter) {
        ws.fileAnswers = {dir.file(name)}, ws.filterAnswers = {filter};
        ws.click(1215);
        return ws.fileDialogs.back();
    };
    // The first export proposes the part's name beside the car; the OBJ
    // filter writes OBJ and adds its extension.
    const FakeFileDialog first = exportAs("body", 2);
    EXPECT_EQ(std::make_tuple(first.save, first.title, first.start, first.extension),
              std::make_tuple(true, std::string("Export part as:"), carFolder + "_HB",
                              std::string("ffp")));
    EXPECT_EQ(readBytes(dir.file("body.obj")).at(2), 'W');
    // A name the dialog confirmed but whose type changes to an existing file
    // is asked about again: Cancel keeps the file.
    writeBytes(dir.file("body.obj"), {'x'});
    ws.messageBoxAnswers = {2};
    EXPECT_EQ(exportAs("body.ffp", 2).start, dir.file("_HB"));
    EXPECT_EQ(std::make_pair(ws.messageBoxes.back().text, readBytes(dir.file("body.obj"))),
              std::make_pair(dir.file("body.obj") + " already exists.\nDo you want to replace it?",
                             std::vector<uint8_t>{'x'}));
    ws.messageBoxAnswers = {1};
    exportAs("body.ffp", 3);
    EXPECT_EQ(readBytes(dir.file("body.dxf")).at(0), '9');
    EXPECT_FALSE(std::filesystem::exists(dir.file("body.ffp")));

    // Import starts at the last file without its extension and puts the part
    // in front of the current one, as one undo step.
    const std::vector<uint8_t> body = partBytes(0);
    ws.fileAnswers = {dir.file("body.dxf")}, ws.filterAnswers = {1};
    ASSERT_TRUE(ws.click(1214));
    EXPECT_EQ(std::make_pair(ws.fileDialogs.back().title, ws.fileDialogs.back().start),
              std::make_pair(std::string("Import part:"), dir.file("body")));
    EXPECT_EQ(std::make_tuple(model.header.numParts, model.selectedPart, selection(ID_PART_LIST)),
              std::make_tuple(10, 0u, std::vector<int>{0}));
    EXPECT_EQ(partBytes(1), body);
    // A file that cannot be imported changes nothing and adds no undo step:
    // Undo takes back the good import.
    std::ofstream(dir.file("empty.obj")) << "v 0 0 0\n";
    ws.fileAnswers = {dir.file("empty.obj")};
    ws.click(1214);
    EXPECT_EQ(ws.messageBoxes.back().text,
              "Unreadable OBJ file: it has no faces.\n" + dir.file("empty.obj"));
    ws.pressAccelerator(ACCEL_LETTER, 'Z');
    EXPECT_EQ(std::make_pair(model.header.numParts, partBytes(0)), std::make_pair(9, body));
    // Cancelled dialogs touch nothing.
    const size_t files = size_t(dir.entries());
    ws.fileAnswers.clear();
    ws.click(1215), ws.click(1214);
    EXPECT_EQ(std::make_pair(model.header.numParts, size_t(dir.entries())), std::make_pair(9, files));
}
