// Shared helpers of the test suites: a recording message service, temporary
// folders, fixture paths and a small hand-made model.
#pragma once

#include "model/alloc.h"
#include "model/car_model.h"
#include "model/file_io.h"
#include "model/messages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

// Records every message and answers questions from a script (Cancel when the
// script is empty). Installs itself for its lifetime.
class RecordingMessages : public MessageService {
  public:
    RecordingMessages() { installMessageService(this); }
    ~RecordingMessages() override { installMessageService(nullptr); }
    void showError(const std::string& text) override { errors.push_back(text); }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askOkCancel(const std::string& text) override { return ask(text, 0) == 1; }
    int askYesNoCancel(const std::string& text) override { return ask(text, ANSWER_CANCEL); }
    std::string chooseFileToOpen(const std::string& title, const std::string&,
                                 const std::string&) override {
        return fileDialogs.push_back(title), next(chosenFiles, std::string());
    }

    std::vector<std::string> errors;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<int> answers;              // ANSWER_YES/NO/CANCEL, or 1/0 for OK/Cancel
    std::vector<std::string> fileDialogs; // titles of the file dialogs shown
    std::deque<std::string> chosenFiles;  // what they answer ("" or empty: cancel)

  private:
    int ask(const std::string& question, int otherwise) {
        return questions.push_back(question), next(answers, otherwise);
    }
    // The first of `queue`, taken off it, or `otherwise` when it is empty.
    template <class T> static T next(std::deque<T>& queue, T otherwise) {
        if (queue.empty()) return otherwise;
        T first = queue.front();
        return queue.pop_front(), first;
    }
};

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    std::filesystem::path path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    int entries() const {
        return int(std::distance(std::filesystem::directory_iterator(path_), {}));
    }

  private:
    std::filesystem::path path_;
};

std::string sourcePath(const std::string& relative); // inside the repository
inline const auto sampleFce = [] { return sourcePath("data/sample/car.fce"); };

// A file of the third-party fixtures, looked for under $VORNIX_FIXTURES and
// then ../shared/fixtures beside the repository; "" when neither has it.
std::string fixturePath(const std::string& relative);
inline const auto snowmanFce = [] { return fixturePath("snowman/car.fce"); }; // or ""

// Ends the test as skipped (not passed) when the third-party car is missing.
#define SKIP_WITHOUT_SNOWMAN()                                                                     \
    if (snowmanFce().empty())                                                                      \
    GTEST_SKIP() << "needs the third-party fixture snowman/car.fce, found neither in "             \
                    "$VORNIX_FIXTURES nor in " VORNIX_SHARED_DIR "/fixtures"

std::vector<uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// Little-endian 32-bit words and floats inside a file's bytes.
uint32_t wordAt(const std::vector<uint8_t>& bytes, size_t offset);
float floatAt(const std::vector<uint8_t>& bytes, size_t offset);
void setWordAt(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);

// Part p of the model as bytes: its used vertex slots (positions, damaged
// positions, flags), its triangles (slot bases left out: they move with the
// part), position, half width, groups, and last its name; not its flags.
std::vector<uint8_t> partBytes(int p);

// Runs vornix-cli with `arguments` (a shell command line) and collects what it
// printed and its exit status.
struct CliRun {
    int status;
    std::string out, err;
};
CliRun runCli(const std::string& arguments);

// Frees the global model and puts it back to its start-up state.
inline const auto resetModel = [] { freeModel(false), model = CarModel{}; };

// Builds a model in memory: `parts` parts, each a strip of `trianglesPerPart`
// triangles over trianglesPerPart + 2 vertices, with distinct coordinates,
// texture coordinates and flags. Two dummies and three colour presets.
void buildTestModel(int parts, int trianglesPerPart);

// The fixture of tests on the model: messages recorded, a temporary folder,
// and after each test allocations and reads that no longer fail and a model
// back at its start-up state.
class ModelTest : public ::testing::Test {
  protected:
    void TearDown() override { failAllocationsAfter(-1), failReadsFrom(-1, 0), resetModel(); }
    RecordingMessages messages;
    TempDir dir;
};
