// Undo and Redo in the editor: their menu items and buttons, the history of
// the page shown and where it ends, and edits whose snapshot cannot be kept.
#include "editor_fixture.h"

#include "undo/undo_store.h"

namespace {

std::vector<Vec3> partVertices(int p) {
    const Vec3* first = model.vertices + partSlot(p);
    return {first, first + model.header.partVertexCount[p]};
}

const auto grayed = [](int id) { return bool(windows().menuState(id) & MENU_GRAYED); };

} // namespace

TEST_F(CarTest, UndoAndRedoStepThroughThePagesEdits) {
    EXPECT_TRUE(grayed(CMD_UNDO) && grayed(CMD_REDO)); // the Camera/Light page keeps none
    page(PAGE_PARTS);
    EXPECT_EQ(states(1203, 2), "--");
    ws.editAnswers = {"1.5"}, ws.click(ID_X);
    EXPECT_EQ(std::make_tuple(model.header.partPos[0].x, states(1203, 2), model.modelModified),
              std::make_tuple(1.5f, "U-", true));
    ws.pressAccelerator(ACCEL_LETTER, 'Z');
    EXPECT_EQ(std::make_tuple(model.header.partPos[0].x, text(ID_X), states(1203, 2)),
              std::make_tuple(0.0f, "0.000", "-U")); // as it was
    EXPECT_TRUE(!grayed(CMD_REDO) && grayed(CMD_UNDO));
    ws.click(1204);
    EXPECT_EQ(std::make_pair(model.header.partPos[0].x, states(1203, 2)),
              std::make_pair(1.5f, std::string("U-")));

    ws.editAnswers = {"\xC3\xA4rger"}, ws.click(ID_PART_NAME); // a new name, and back
    EXPECT_STREQ(model.header.partNames[0], "\xE4rger");
    ws.menu(CMD_UNDO);
    EXPECT_EQ(std::make_pair(text(ID_PART_NAME), selection(ID_PART_LIST)),
              std::make_pair(std::string(":HB"), std::vector<int>{0}));

    ws.pressAccelerator(ACCEL_LETTER, 'S'); // saving starts a new history
    EXPECT_TRUE(grayed(CMD_UNDO) && grayed(CMD_REDO) && !model.modelModified);
    ws.editAnswers = {"2"}, ws.click(ID_Y), page(PAGE_SURFACES); // and so does another page
    EXPECT_EQ(states(1203, 2), "--");
}

// With "move origin only" the part's vertices keep their place in the model;
// an entry that changes nothing moves nothing.
TEST_F(CarTest, MovingTheOriginOnlyKeepsTheGeometryWhereItIs) {
    page(PAGE_PARTS), ws.click(1259);
    const std::vector<Vec3> before = partVertices(0); // part 0 lies at the origin
    ws.click(ID_Z); // Enter on the value as it was: not a bit moves
    EXPECT_TRUE(std::memcmp(partVertices(0).data(), before.data(), 12 * before.size()) == 0 &&
                grayed(CMD_UNDO));
    ws.editAnswers = {"0.25", "1.25"}, ws.click(ID_Z);
    const std::vector<Vec3> after = partVertices(0);
    for (size_t i = 0; i < after.size(); ++i) EXPECT_NEAR(after[i].z + 0.25f, before[i].z, 1e-5);
    ws.click(1258), ws.click(ID_Z); // without it the geometry goes along
    EXPECT_EQ(partVertices(0)[3].z, after[3].z);
}

// An edit whose snapshot cannot be written still counts as a change; without
// a model nothing edits and nothing steps.
TEST_F(CarTest, EditsCountWithoutUndoAndNothingEditsWithoutAModel) {
    page(PAGE_PARTS), std::filesystem::remove_all(undo.folder);
    model.modelModified = false, ws.editAnswers = {"3"}, ws.click(ID_X);
    EXPECT_EQ(ws.messageBoxes.back().text, "Not enough memory or disk space for Undo storage!");
    EXPECT_TRUE(model.modelModified && grayed(CMD_UNDO));
    ws.close(); // the question comes, and Cancel keeps the window
    EXPECT_FALSE(ws.quitRequested);
    writeBytes(dir.file("broken.fce"), std::vector<uint8_t>(100, 0));
    ws.messageBoxAnswers = {ANSWER_NO, 1}, ws.fileAnswers = {dir.file("broken.fce")};
    ws.pressAccelerator(ACCEL_LETTER, 'O');
    EXPECT_TRUE(!model.modelLoaded && grayed(CMD_UNDO) && grayed(CMD_REDO));
    const size_t shown = ws.messageBoxes.size();
    ws.pressAccelerator(ACCEL_LETTER, 'Z'), ws.events->command(CMD_UNDO, 0, false);
    ws.events->command(ID_X, NOTIFY_CLICKED, true);
    EXPECT_TRUE(ws.messageBoxes.size() == shown && ws.edits.size() == 1);
}

TEST_F(CarTest, PartButtonsWorkOnTheCurrentPartAndUndoTakesThemBack) {
    page(PAGE_PARTS);
    auto shown = [this] {
        return std::make_tuple(model.header.numParts, ws.control(ID_PART_LIST).items.size(),
                               text(ID_PART_NAME), states(1203, 2));
    };
    ws.click(1216);
    EXPECT_EQ(shown(), std::make_tuple(10, size_t(10), std::string(":HB Copy"), "U-"));
    ws.pressAccelerator(ACCEL_LETTER, 'Z');
    EXPECT_EQ(shown(), std::make_tuple(9, size_t(9), std::string(":HB"), "-U"));
    for (int k = 0; k < 8; ++k) ws.click(1217);
    EXPECT_EQ(shown(), std::make_tuple(1, size_t(1), std::string(":TB"), "U-"));
    ws.click(1217), ws.menu(CMD_UNDO); // the only part stays, and nothing is stored for it
    EXPECT_EQ(model.header.numParts, 2);
}
