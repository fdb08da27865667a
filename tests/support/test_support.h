// Shared helpers of the test suites: a recording message service, temporary
// folders, fixture paths and a small hand-made model.
#pragma once

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
    RecordingMessages();
    ~RecordingMessages() override;
    void showError(const std::string& text) override;
    void showMessage(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    int askYesNoCancel(const std::string& text) override;
    std::string chooseFileToOpen(const std::string& title, const std::string& filterName,
                                 const std::string& pattern) override;

    std::vector<std::string> errors;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<int> answers; // ANSWER_YES/NO/CANCEL, or 1/0 for OK/Cancel
    std::vector<std::string> fileDialogs;  // titles of the file dialogs shown
    std::deque<std::string> chosenFiles;   // what they answer ("" or empty: cancel)

  private:
    int nextAnswer(const std::string& question, int otherwise);
};

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    std::filesystem::path path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    int entries() const { return int(std::distance(std::filesystem::directory_iterator(path_), {})); }

  private:
    std::filesystem::path path_;
};

std::string sourcePath(const std::string& relative);   // inside the repository
std::string sampleFce();                               // data/sample/car.fce

// A file of the third-party fixtures, looked for under $VORNIX_FIXTURES and
// then ../shared/fixtures beside the repository; "" when neither has it.
std::string fixturePath(const std::string& relative);
std::string snowmanFce(); // the third-party car, or ""

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
void resetModel();

// Builds a model in memory: `parts` parts, each a strip of `trianglesPerPart`
// triangles over trianglesPerPart + 2 vertices, with distinct coordinates,
// texture coordinates and flags. Two dummies and three colour presets.
void buildTestModel(int parts, int trianglesPerPart);
