// The stand-in host's document on disk, for people: a small text file of "Key=value" lines.
//
//   Title=Harbour at dawn
//   Photographer=A. Person
//   Description=Boats\nand gulls        (a line break is written as \n, a backslash as \\)
//   Copyright=...
//   URL=...
//   Keyword=harbour                      (one line per keyword, in order)
//
// Unknown keys and lines without "=" are ignored. A document without Keyword lines has no keyword
// list at all.
//
// The file is written in UTF-8. Files of earlier versions of the stand-in host hold the
// plug-in's ANSI text as it was: a file that is not UTF-8 throughout is read as ANSI code page
// text (ansi_code_page.h). A UTF-8 byte order mark, as editors write one, is skipped.
#pragma once

#include <string>

#include "fake_host.h"

// Replaces the File Info of host's document with what text describes.
void ParseDocument(const std::string& text, stub::FakeHost& host);

// The text form of host's document (only the fields it has).
std::string FormatDocument(const stub::FakeHost& host);

// File adapters; false when the file cannot be read or written.
bool LoadDocument(const char* path, stub::FakeHost& host);
bool SaveDocument(const char* path, const stub::FakeHost& host);
