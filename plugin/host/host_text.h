// The host's text items, read and written in the plug-in's text. Where the plug-in keeps UTF-8
// and the host serves "AS ZString Suite" version 1, they go through ZStrings, so that every
// character survives; otherwise through the char* routines, exactly as the classic host has them.
// Every ZString received or made here is released before the call returns, on every path.
#pragma once

#include <cstddef>
#include <string>

#include "host_interface.h"

// Whether text goes through ZStrings in this run (asks for the suite on first use).
bool HostTextIsUnicode();

// Reads the text under key into field (size bytes): through ZStrings cut to the characters the
// field holds (TextCapacity(size)), through the char* routines taking at most maxLength bytes
// with the NUL (the host's maximum for the field). A text cut to fit never ends inside a
// character. The field stays terminated whatever the host did.
int32 GetDescriptorText(PIActionDescriptor descriptor, DescriptorKeyID key, char* field, std::size_t size,
                        uint32 maxLength);
int32 PutDescriptorText(PIActionDescriptor descriptor, DescriptorKeyID key, const char* text);

// Item index of list through a ZString, whole (the Unicode route only).
int32 GetListZText(PIActionList list, uint32 index, std::string& text);
// Appends text to list.
int32 PutListText(PIActionList list, const char* text);
