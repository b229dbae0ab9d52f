// The host's text items, read and written in the plug-in's text. Where the plug-in keeps UTF-8
// and the host serves "AS ZString Suite" version 1, they go through ZStrings, so that every
// character survives; otherwise through the char* routines, exactly as the classic host has them:
// in the host's ANSI code page, which the UTF-8 builds convert from on reading and to on writing.
// Every ZString received or made here is released before the call returns, on every path.
#pragma once

#include <cstddef>
#include <string>

#include "host_interface.h"

// Whether text goes through ZStrings in this run (asks for the suite on first use).
bool HostTextIsUnicode();

// Reads the text under key: whole through a ZString; through the char* routines at most maxLength
// bytes with the NUL (the host's maximum for the field). text is empty after a failure.
int32 GetDescriptorString(PIActionDescriptor descriptor, DescriptorKeyID key, uint32 maxLength,
                          std::string& text);

// Reads the text under key into field (size bytes), cut to the characters the field holds
// (TextCapacity(size)); the char* routines take at most maxLength bytes with the NUL (the host's
// maximum for the field). A text cut to fit never ends inside a character. The
// field stays terminated whatever the host did, and keeps its text when the read fails. whole,
// when given, receives the text as read, before the cut.
int32 GetDescriptorText(PIActionDescriptor descriptor, DescriptorKeyID key, char* field, std::size_t size,
                        uint32 maxLength, std::string* whole = nullptr);
int32 PutDescriptorText(PIActionDescriptor descriptor, DescriptorKeyID key, const char* text);

// Item index of list, whole. kMemFullErr when the char* route cannot have a buffer for it.
int32 GetListText(PIActionList list, uint32 index, std::string& text);
// Appends text to list.
int32 PutListText(PIActionList list, const char* text);

// The host's ANSI text and UTF-8, both ways, as the system converts them (host_text_win32.cpp;
// the native build's stand-in is Windows-1252). What the code page lacks becomes its default
// character. Only the UTF-8 builds use them.
std::string Utf8FromHostAnsi(const std::string& ansi);
std::string HostAnsiFromUtf8(const std::string& utf8);
