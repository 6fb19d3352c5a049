#pragma once
// Opaque data blocks that plug-in tools keep in a design, one per plug-in ID.
#include <cstdint>

struct PlugInData {
    PlugInData* prev = nullptr;
    int32_t size = 0;
    char* data = nullptr;        // owned (allocated with new char[])
    int32_t plugInID = 0;
    PlugInData* next = nullptr;
};

// Takes over `data` (allocated with new char[]): replaces the block of that ID or appends one.
void StorePlugInData(char* data, int32_t size, int32_t plugInID);
void AppendPlugInDataToList(int32_t plugInID);
// One empty block per loaded plug-in, in load order.
void CreatePlugInDataList();
void DeletePlugInDataList();
PlugInData* GetPlugInData(int32_t plugInID);
