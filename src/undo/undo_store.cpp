// The snapshot ring. Files are written through the file primitives (which
// report system errors) and read back whole into scratch buffers, checked,
// and only then copied into the model.
#include "undo/undo_store.h"

#include "model/alloc.h"
#include "model/car_model.h"
#include "model/file_io.h"
#include "model/messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

UndoState undo;

namespace {

constexpr int PARTS = 1, SURFACES = 2, DUMMIES = 3, COLORS = 4, TEXTURES = 5;

// The page's record of one slot: Parts the part selection, Dummies the
// dummies, Colors the presets.
struct PartsRecord {
    uint32_t selectedPart;
    uint32_t partFlags[MAX_PARTS];
};
struct DummiesRecord {
    uint32_t numDummies, selectedDummy;
    Vec3 dummyPos[MAX_DUMMIES];
    char dummyNames[MAX_DUMMIES][NAME_SIZE];
};
struct ColorsRecord {
    uint32_t numColors, selectedColor;
    HsbColor colorLayers[COLOR_LAYERS][MAX_COLORS];
};
static_assert(sizeof(PartsRecord) == 260 && sizeof(DummiesRecord) == 1224 &&
              sizeof(ColorsRecord) == 264);

size_t recordSize(int page) {
    switch (page) {
    case PARTS:
        return sizeof(PartsRecord);
    case DUMMIES:
        return sizeof(DummiesRecord);
    case COLORS:
        return sizeof(ColorsRecord);
    default:
        return 0;
    }
}
template <class Record> Record& recordAt(uint32_t slot) {
    return reinterpret_cast<Record*>(undo.records)[slot];
}

// What the Parts file holds besides the geometry block: the program's own
// per-part data and the colours as edited, which the FCE form cannot carry
// for every model.
struct PartsHead {
    uint32_t page, triangles;
    FceHeader header;
    HsbColor colorLayers[COLOR_LAYERS][MAX_COLORS];
    float partHalfWidth[MAX_PARTS];
    uint16_t groupCount[MAX_PARTS], currentGroup[MAX_PARTS];
    SmoothingGroup groups[MAX_PARTS][MAX_GROUPS];
};
// The first part of a Surfaces file.
struct SurfacesHead {
    uint32_t page;
    int32_t partVertexCount[MAX_PARTS];
    uint16_t currentGroup[MAX_PARTS], groupCount[MAX_PARTS];
    SmoothingGroup groups[MAX_PARTS][MAX_GROUPS];
};
static_assert(sizeof(SurfacesHead) == 16900);

size_t geometryBytes(int triangles) {
    return size_t(triangles) * GEOMETRY_BYTES_PER_TRIANGLE;
}

// Whether the parts (of the model's header `h`, with these vertex counts and
// groups) and the triangles can be held: parts in order covering all
// triangles, at most three vertices per triangle, 1..64 groups with the
// current one among them, every corner inside its part.
bool partsHoldable(const FceHeader& h, int triangles, const int32_t* vertexCount,
                   const uint16_t* groupCount, const uint16_t* currentGroup,
                   const ModelTriangle* tris) {
    if (h.numParts < 0 || h.numParts > MAX_PARTS) return false;
    int running = 0;
    for (int p = 0; p < h.numParts; ++p) {
        const int first = h.partFirstTriangle[p], count = h.partTriangleCount[p];
        if (first != running || count < 0 || count > triangles - running || vertexCount[p] < 0 ||
            int64_t(vertexCount[p]) > 3 * int64_t(count) || groupCount[p] < 1 ||
            groupCount[p] > MAX_GROUPS || currentGroup[p] >= groupCount[p])
            return false;
        for (int t = first; t < first + count; ++t)
            for (uint32_t v : tris[t].v)
                if (v >= uint32_t(vertexCount[p])) return false;
        running += count;
    }
    return running == triangles;
}

bool writeSnapshotFile(uint32_t slot) {
    const std::string path = snapshotPath(int(slot));
    bool ok = !undo.folder.empty() && openForWriting(path);
    if (!ok && !undo.folder.empty()) reportFileError(path);
    const int T = model.storeTriangles;
    switch (undo.page) {
    case PARTS: {
        auto head = std::make_unique<PartsHead>();
        *head = {PARTS, uint32_t(T), model.header, {}, {}, {}, {}, {}};
        std::memcpy(head->colorLayers, model.colorLayers, sizeof head->colorLayers);
        std::memcpy(head->partHalfWidth, model.partHalfWidth, sizeof head->partHalfWidth);
        std::memcpy(head->groupCount, model.groupCount, sizeof head->groupCount);
        std::memcpy(head->currentGroup, model.currentGroup, sizeof head->currentGroup);
        std::memcpy(head->groups, model.groups, sizeof head->groups);
        ok = ok && writeExact(sizeof *head, head.get()) &&
             writeExact(geometryBytes(T), model.geometryBlock);
        break;
    }
    case SURFACES: {
        auto head = std::make_unique<SurfacesHead>();
        head->page = SURFACES;
        std::memcpy(head->partVertexCount, model.header.partVertexCount,
                    sizeof head->partVertexCount);
        std::memcpy(head->currentGroup, model.currentGroup, sizeof head->currentGroup);
        std::memcpy(head->groupCount, model.groupCount, sizeof head->groupCount);
        std::memcpy(head->groups, model.groups, sizeof head->groups);
        const size_t slots = 3 * size_t(T);
        ok = ok && writeExact(sizeof *head, head.get()) &&
             writeExact(sizeof(ModelTriangle) * size_t(T), model.triangles) &&
             writeExact(sizeof(Vec3) * slots, model.vertices) &&
             writeExact(sizeof(Vec3) * slots, model.damagedVertices) &&
             writeExact(sizeof(uint32_t) * slots, model.vertexFlags);
        break;
    }
    default: { // Textures
        const uint32_t page = TEXTURES;
        ok = ok && writeExact(4, &page) &&
             writeExact(sizeof(ModelTriangle) * size_t(T), model.triangles) &&
             writeExact(sizeof(uint32_t) * 3 * size_t(T), model.vertexFlags);
    }
    }
    errno = 0;
    if (!closeFile() && ok) reportLastError(path), ok = false;
    if (!ok) {
        deleteSnapshotFiles(int(slot));
        showError("Not enough memory or disk space for Undo storage!");
    }
    return ok;
}

void storeRecord(uint32_t slot) {
    switch (undo.page) {
    case PARTS: {
        PartsRecord& r = recordAt<PartsRecord>(slot);
        r.selectedPart = model.selectedPart;
        std::memcpy(r.partFlags, model.partFlags, sizeof r.partFlags);
        break;
    }
    case DUMMIES: {
        DummiesRecord& r = recordAt<DummiesRecord>(slot);
        r.numDummies = uint32_t(model.header.numDummies), r.selectedDummy = model.selectedDummy;
        std::memcpy(r.dummyPos, model.header.dummyPos, sizeof r.dummyPos);
        std::memcpy(r.dummyNames, model.header.dummyNames, sizeof r.dummyNames);
        break;
    }
    case COLORS: {
        ColorsRecord& r = recordAt<ColorsRecord>(slot);
        r.numColors = uint32_t(model.header.numColors), r.selectedColor = model.selectedColor;
        std::memcpy(r.colorLayers, model.colorLayers, sizeof r.colorLayers);
        break;
    }
    }
}

// Reads the slot's whole file, which must be exactly `size` bytes (or, with
// size 0, at least `minimum`); false (with the system error where there is
// one) when it cannot.
bool readSnapshotFile(uint32_t slot, size_t size, size_t minimum, std::vector<uint8_t>& bytes) {
    const std::string path = snapshotPath(int(slot));
    if (undo.folder.empty() || !openForReading(path)) {
        if (!undo.folder.empty()) reportFileError(path);
        return false;
    }
    const int64_t length = currentFileSize();
    const bool fits = size ? length == int64_t(size) : length >= int64_t(minimum);
    bytes.resize(fits ? size_t(length) : 0);
    const bool ok = fits && readExact(bytes.size(), bytes.data());
    closeFile();
    return ok;
}

bool restoreParts(uint32_t slot) {
    std::vector<uint8_t> bytes;
    if (!readSnapshotFile(slot, 0, sizeof(PartsHead), bytes)) return false;
    auto head = std::make_unique<PartsHead>();
    std::memcpy(head.get(), bytes.data(), sizeof *head);
    const FceHeader& h = head->header;
    const int T = int(head->triangles);
    if (head->page != PARTS || h.numTriangles != T || T < 0 || T > MAX_TRIANGLES ||
        bytes.size() != sizeof *head + geometryBytes(T) || h.numDummies < 0 ||
        h.numDummies > MAX_DUMMIES || h.numColors < 0 || h.numColors > MAX_COLORS)
        return false;
    const uint8_t* geometry = bytes.data() + sizeof *head;
    const auto* tris = reinterpret_cast<const ModelTriangle*>(
        geometry + size_t(T) * 3 * (4 * sizeof(Vec3) + sizeof(uint32_t)));
    std::vector<ModelTriangle> aligned(tris, tris + T); // the file bytes need not be aligned
    const PartsRecord& r = recordAt<PartsRecord>(slot);
    if (!partsHoldable(h, T, h.partVertexCount, head->groupCount, head->currentGroup,
                       aligned.data()) ||
        (h.numParts > 0 && r.selectedPart >= uint32_t(h.numParts)))
        return false;
    if (T != model.storeTriangles && !allocateStore(T)) return false;
    model.header = h;
    std::memcpy(model.geometryBlock, geometry, geometryBytes(T));
    std::memcpy(model.colorLayers, head->colorLayers, sizeof head->colorLayers);
    std::memcpy(model.partHalfWidth, head->partHalfWidth, sizeof head->partHalfWidth);
    std::memcpy(model.groupCount, head->groupCount, sizeof head->groupCount);
    std::memcpy(model.currentGroup, head->currentGroup, sizeof head->currentGroup);
    std::memcpy(model.groups, head->groups, sizeof head->groups);
    model.selectedPart = r.selectedPart;
    std::memcpy(model.partFlags, r.partFlags, sizeof r.partFlags);
    return true;
}

bool restoreSurfaces(uint32_t slot) {
    const size_t T = size_t(model.storeTriangles), slots = 3 * T;
    std::vector<uint8_t> bytes;
    if (!readSnapshotFile(slot, sizeof(SurfacesHead) + 140 * T, 0, bytes)) return false;
    auto head = std::make_unique<SurfacesHead>();
    std::memcpy(head.get(), bytes.data(), sizeof *head);
    std::vector<ModelTriangle> tris(T);
    std::memcpy(tris.data(), bytes.data() + sizeof *head, sizeof(ModelTriangle) * T);
    if (head->page != SURFACES || !partsHoldable(model.header, int(T), head->partVertexCount,
                                                 head->groupCount, head->currentGroup, tris.data()))
        return false;
    const uint8_t* at = bytes.data() + sizeof *head + sizeof(ModelTriangle) * T;
    std::memcpy(model.triangles, tris.data(), sizeof(ModelTriangle) * T);
    std::memcpy(model.vertices, at, sizeof(Vec3) * slots);
    std::memcpy(model.damagedVertices, at + sizeof(Vec3) * slots, sizeof(Vec3) * slots);
    std::memcpy(model.vertexFlags, at + 2 * sizeof(Vec3) * slots, sizeof(uint32_t) * slots);
    std::memcpy(model.header.partVertexCount, head->partVertexCount, sizeof head->partVertexCount);
    std::memcpy(model.currentGroup, head->currentGroup, sizeof head->currentGroup);
    std::memcpy(model.groupCount, head->groupCount, sizeof head->groupCount);
    std::memcpy(model.groups, head->groups, sizeof head->groups);
    const FceHeader& h = model.header;
    for (int p = 0; p < h.numParts; ++p)
        computeVertexNormals(h.partFirstTriangle[p], model.normals + partSlot(p),
                             h.partTriangleCount[p], h.partVertexCount[p]);
    return true;
}

bool restoreTextures(uint32_t slot) {
    const size_t T = size_t(model.storeTriangles);
    std::vector<uint8_t> bytes;
    if (!readSnapshotFile(slot, 4 + 68 * T, 0, bytes)) return false;
    std::vector<ModelTriangle> tris(T);
    std::memcpy(tris.data(), bytes.data() + 4, sizeof(ModelTriangle) * T);
    uint32_t page;
    std::memcpy(&page, bytes.data(), 4);
    if (page != TEXTURES || !partsHoldable(model.header, int(T), model.header.partVertexCount,
                                           model.groupCount, model.currentGroup, tris.data()))
        return false;
    std::memcpy(model.triangles, tris.data(), sizeof(ModelTriangle) * T);
    std::memcpy(model.vertexFlags, bytes.data() + 4 + sizeof(ModelTriangle) * T,
                sizeof(uint32_t) * 3 * T);
    return true;
}

bool restoreRecord(uint32_t slot) {
    if (undo.page == DUMMIES) {
        const DummiesRecord& r = recordAt<DummiesRecord>(slot);
        if (r.numDummies > uint32_t(MAX_DUMMIES)) return false;
        model.header.numDummies = int(r.numDummies), model.selectedDummy = r.selectedDummy;
        std::memcpy(model.header.dummyPos, r.dummyPos, sizeof r.dummyPos);
        std::memcpy(model.header.dummyNames, r.dummyNames, sizeof r.dummyNames);
    } else {
        const ColorsRecord& r = recordAt<ColorsRecord>(slot);
        if (r.numColors > uint32_t(MAX_COLORS)) return false;
        model.header.numColors = int(r.numColors), model.selectedColor = r.selectedColor;
        std::memcpy(model.colorLayers, r.colorLayers, sizeof r.colorLayers);
    }
    return true;
}

// Restores `slot` into the model; false, with the model untouched, when it
// cannot.
bool restore(uint32_t slot) {
    if (!undo.slotValid[slot]) return false;
    bool ok = true;
    switch (undo.page) {
    case PARTS:
        ok = restoreParts(slot);
        break;
    case SURFACES:
        ok = restoreSurfaces(slot);
        break;
    case DUMMIES:
    case COLORS:
        ok = restoreRecord(slot);
        break;
    case TEXTURES:
        ok = restoreTextures(slot);
        break;
    default:
        return true;
    }
    if (!ok) {
        showError("Data couldn't be restored!");
        return false;
    }
    model.renderCacheValid = false;
    return true;
}

void clearRing() {
    std::memset(undo.slotValid, 0, sizeof undo.slotValid);
    undo.current = undo.writeSlot = 0;
    undo.canUndo = undo.canRedo = false;
}

bool keepsFiles(int page) {
    return page == PARTS || page == SURFACES || page == TEXTURES;
}

// A step to `slot`, one before or after the current one; on failure the
// ring stays where it was.
bool stepTo(uint32_t slot) {
    if (!model.modelLoaded || !restore(slot)) return false;
    undo.current = slot;
    undo.canUndo = undo.slotValid[(slot - 1) & 63];
    undo.canRedo = undo.slotValid[(slot + 1) & 63];
    return true;
}

} // namespace

void setUndoFolder(const std::string& folder) {
    undo.folder = folder;
}

std::string snapshotPath(int slot) {
    char name[16];
    std::snprintf(name, sizeof name, "vrnx%03d.tmp", slot);
    return undo.folder + "/" + name;
}

void beginUndoHistory(int page) {
    clearRing();
    releaseBlock(undo.records);
    undo.page = page;
    undo.noMemory = false;
    if (const size_t size = recordSize(page)) {
        undo.records = static_cast<uint8_t*>(allocBlock(UNDO_SLOTS * size));
        undo.noMemory = !undo.records;
        if (undo.noMemory) showError("Not enough memory for Undo storage!");
    }
}

void endUndoHistory() {
    clearRing();
    releaseBlock(undo.records);
    if (keepsFiles(undo.page)) deleteSnapshotFiles(-1);
    undo.noMemory = false;
}

bool takeSnapshot(bool noModify) {
    const int page = undo.page;
    if (page == 0 || !model.modelLoaded) return page == 0;
    // An edit that could not be stored is still an edit.
    if (!noModify) model.modelModified = true;
    if (page > TEXTURES) return true;
    if (undo.noMemory) return false;
    const uint32_t w = (undo.current + 1) & 63;
    undo.writeSlot = w;
    if (keepsFiles(page) && !writeSnapshotFile(w)) return false;
    if (undo.records) storeRecord(w);
    undo.slotValid[w] = 1;
    undo.current = w;
    undo.canUndo = undo.slotValid[(w - 1) & 63];
    undo.canRedo = false;
    undo.slotValid[(w + 1) & 63] = 0;
    return true;
}

bool undoStep() {
    return undo.canUndo && stepTo((undo.current - 1) & 63);
}

bool redoStep() {
    return undo.canRedo && stepTo((undo.current + 1) & 63);
}

void deleteSnapshotFiles(int slot) {
    if (undo.folder.empty()) return;
    for (int s = slot < 0 ? 0 : slot; s < (slot < 0 ? UNDO_SLOTS : slot + 1); ++s)
        std::remove(snapshotPath(s).c_str());
}
