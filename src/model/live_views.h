#pragma once
// Saved 3D cameras: named copies of the camera, render, light and sun settings.
#include <cstdint>

#include "model/types.h"

struct LiveViewsList {
    LiveViewsList* prev = nullptr;
    char name[128] = {};
    int16_t cameraMode = 0;
    uint8_t navigationFlag = 0;
    float flyValueA = 0;
    float flyValueB = 0;
    float cameraHeading = 0;
    FloatPoint cameraPosition;
    float flyAltitude = 0;
    float eyeHeight = 0;
    FloatPoint lightOffset;
    int32_t cutAwayPosition = 0;
    int16_t cutAwayKind = 0;
    int32_t renderValue = 0;
    uint8_t liveViewFlag = 0;
    int32_t liveViewValue = 0;
    uint8_t liveViewFlagB = 0;
    uint8_t liveViewFlagC = 0;
    int16_t navigationValue = 0;
    int16_t renderMode = 0;
    uint8_t renderFlag = 0;
    uint16_t renderSetting = 0;
    float lightValue = 0;
    uint8_t sunOn = 0;
    float sunAngle = 0;
    float sunValueB = 0;
    int16_t sunValueD = 0;
    float cameraValue = 0;
    float lightIntensity = 0;
    uint8_t lightFlag = 0;
    LiveViewsList* next = nullptr;
};

// A new camera with an empty name and the current settings, appended; null on failure.
LiveViewsList* AddLiveViewsListEntry();
int32_t CountLiveViewsList();
void DeleteLiveViewsListEntry(LiveViewsList* entry);
// Copies the index-th camera (1-based) back into the settings; other indices: nothing.
void SetCurrentLiveView(int32_t index);
LiveViewsList* GetLiveViewFromName(const char* name);
// Stores the current settings into the camera named as the current one.
void UpdateCurrentLiveView();
void DeleteLiveViewsList();
