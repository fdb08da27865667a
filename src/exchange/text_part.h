// What the OBJ and DXF readers share: a part gathered from text before the
// model changes, the number and line rules of both formats, and the step
// that checks the gathered part and inserts it.
//
// Both readers fill a TextPart completely first. Only when everything in it
// can be held by the model (faces, corners inside the part's vertices,
// finite numbers, room in the model) is the part inserted, so a refused file
// leaves the model exactly as it was.
#pragma once

#include "model/fce_types.h"

#include <string>
#include <string_view>
#include <vector>

struct TextPart {
    // triangleCount faces with 3 vertex slots each; the triangles start with
    // group word 0, flags 0 and texture coordinates (0, 0).
    explicit TextPart(int triangleCount);

    bool named = false;
    char name[NAME_SIZE] = {};
    Vec3 position{};
    int declaredGroups = 1; // from "Groups = "
    int groupsRead = 0;     // "Smoothing = " entries since then
    SmoothingGroup groups[MAX_GROUPS] = {{0, 60}};
    std::vector<Vec3> vertices;
    int vertexCount = 0;
    std::vector<ModelTriangle> triangles; // groupAndBase: the group word alone

    // The comment lines both formats carry about the whole part: "Partname = ",
    // "Position = ", "Groups = " or "Smoothing = " and their values, given
    // without the format's comment mark. False for any other text.
    bool readHeadLine(std::string_view text);

  private:
    void readName(std::string_view rest);
    void readPosition(std::string_view rest);
    void readGroupCount(std::string_view rest);
    void readSmoothing(std::string_view rest);
};

// Calls f(line) for each line of `text`: a line ends at CR or LF, and a
// CR LF or LF CR pair is one line end.
template <typename F> void forEachLine(std::string_view text, F f) {
    const size_t size = text.size();
    size_t start = 0;
    while (start < size) {
        size_t end = start;
        while (end < size && text[end] != '\r' && text[end] != '\n') ++end;
        f(text.substr(start, end - start));
        start = end + 1;
        if (start < size && text[start] != text[end] && (text[start] == '\r' || text[start] == '\n'))
            ++start;
    }
}

// Appends `value` as "%.4f" writes it, without the cost of printf.
void appendFixed4(std::string& text, float value);
// Appends `value` as "%ld" writes it.
void appendInteger(std::string& text, long value);
// Appends the lines both formats write after the name: "Position = x y z",
// "Groups = n" and one "Smoothing = id angle" per group, each after
// `lineStart` (which ends the line before).
void appendHead(std::string& text, const char* lineStart, int part);

// Whether `line` begins with `label`; then `rest` is what follows.
bool startsWith(std::string_view line, std::string_view label, std::string_view& rest);
// An optionally signed decimal integer after any blanks; 0 when there is
// none. Values beyond the range of a 32-bit number are cut to its ends.
long readInteger(std::string_view text);
// Up to `count` decimal numbers: from the first digit, sign or point on,
// fields separated by blanks; missing fields read as 0. Returns how many
// were read.
int readNumbers(std::string_view text, float* numbers, int count);

// Checks the gathered part and inserts it at `index` as the current part:
// its vertex sharing rebuilt, the damaged shape a copy of the imported one.
// A part the model cannot hold is refused with the reason.
bool insertTextPart(TextPart& part, int index, const char* kind);
