// The configuration file: the user's settings between runs, one raw 356-byte
// record (little-endian) in the per-user configuration folder.
#pragma once

#include <cstdint>
#include <string>

struct ConfigRecord {
    uint32_t headerWord;      // 0x00020000
    uint32_t recordSize;      // 356
    char lastFolder[256];     // folder of the last FCE file, no final '/' ("/": the root)
    uint32_t viewFlags;
    uint32_t lightFollowsCamera;
    uint32_t partCentred;
    uint32_t dragTarget;
    uint8_t axisLocks[4];
    uint32_t moveOriginOnly;
    float weldTolerance;
    // The light block, as the light keeps it.
    int32_t lightPitch;
    int32_t lightYaw;
    double lightDir[3];
    double lightDiffuse;
    double lightAmbient;
    uint32_t renderCacheValid;
    uint32_t centerOnLoad;
    int32_t textureViewSize;
    uint32_t contextHelp;
} __attribute__((packed));
static_assert(sizeof(ConfigRecord) == 356);

constexpr uint32_t CONFIG_HEADER_WORD = 0x00020000;

// $XDG_CONFIG_HOME/vornix/Vornix.cfg, or ~/.config/vornix/Vornix.cfg.
std::string defaultConfigPath();

// Copies the live settings into the record.
void fillConfigRecord(ConfigRecord& record);
// Reads app.configPath and applies what it holds; silent on any failure.
void readConfig();
// Writes the live settings to app.configPath; silent on any failure.
void writeConfig();
