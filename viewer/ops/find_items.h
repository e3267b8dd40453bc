// Finding files and folders by part of their name across the whole disc, and
// the folder each lies in, as the Find window lists them. No windows.h: tested
// natively.
#pragma once
#include <cstddef>
#include <cstdint>

struct ArcsealItem;

// 1 when part occurs in name, letters compared without regard to case (the
// CP1252 letters too). An empty part occurs in every name.
int NameContains(const char* name, const char* part);

// Calls found for each file and folder of the item list whose name holds
// part, in table order, until it returns 0. Returns how many matched.
uint32_t FindItems(const char* part, int (*found)(ArcsealItem* item, void* context), void* context);

// The path of the folder item lies in, from the disc's top ("Docs\Letters";
// "" for an item at the top), cut short with "..." to fit size.
void FolderPathOf(const ArcsealItem* item, char* text, size_t size);
