#pragma once

// The settings files of the application core, all in the program folder:
//   lang.crm     Language                          (whole number)
//   symbol.crm   PlaneSymbol                       (whole number)
//   track.crm    logger on 1/0, interval in seconds (text or whole number), automatic 1/0
//   LR.crm       QNH (whole number), the day it was saved (date)
//   data.crm     GPS port number, baud rate        (both quoted texts)
//   version.crm  the program version "1.1.2"       (quoted text; nothing reads it)
// Start-up readers repair silently: a missing file, a missing line or a value that does not
// convert makes them write the file anew with its defaults and set their variables to them.
// Writers return false when the file could not be written; the old file is then kept.

#include "core/Dates.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tv {

// lang.crm -> Language; repaired with 0 (German). True when the file was read.
bool LoadLanguage();
[[nodiscard]] bool SaveLanguage(); // writes Language

// symbol.crm -> PlaneSymbol; repaired with 1. True when the file was read.
bool LoadSymbol();
[[nodiscard]] bool SaveSymbol(); // writes PlaneSymbol

// track.crm at start -> TrackLoggerOn (line 1 is exactly 1), TrackInterval (line 2 read as the
// settings box reads it, trackIntervalMs: "12x" is 12000 ms, capped at a minute) and TrackAutoOn
// (line 3 is exactly 1); any other number counts as off. Only a file that cannot be read at all
// (see the reader) is repaired with 0, 0, 0: logger off, interval 0, TrackAutoOn left as it was.
bool LoadTrackSettings();

// track.crm as the settings window shows it: the logger and automatic boxes (0 or 1) and the
// interval box text. When the file cannot be read, or a box value is not 0 or 1, the file is
// written anew with 0, 10, 0 and the result is empty (the boxes keep their state).
struct TrackFileBoxes
{
    int16_t logger = 0;
    std::string intervalText;
    int16_t automatic = 0;
};
std::optional<TrackFileBoxes> ReadTrackFileForSettings();

// The settings window's writer: 1 or 0 for the logger box, the interval text as typed (quoted),
// and 1 only when both the logger and the automatic box are ticked.
[[nodiscard]] bool WriteTrackSettings(bool loggerTicked, const std::string& intervalText,
                                      bool automaticTicked);

// The flight window's record switches: logger on, the interval in whole seconds
// (intervalMs / 1000, halves to even), automatic recording off.
[[nodiscard]] bool WriteTrackRecordSwitch(int32_t intervalMs);

// LR.crm -> QNH and QNHDate, assigned only when both lines were read. Repaired with 1013 and
// `today`, which QNH and QNHDate then take. True when the file was read.
bool LoadQnh(Date today);
bool LoadQnh();
// Writes QNH and `today` (the day of saving, not QNHDate).
[[nodiscard]] bool SaveQnh(Date today);
[[nodiscard]] bool SaveQnh();

// data.crm for the flight window: the port number (line 1 as a whole number) and the serial
// settings text (line 2 followed by ",n,8,1", e.g. "4800,n,8,1").
struct SavedCom
{
    int16_t port = 0;
    std::string settings;
};
// Empty when the file cannot be read; it is then written anew with "1" and "4800".
std::optional<SavedCom> LoadSavedCom();

// data.crm for the settings window: the port text and the baud text as stored. Empty when the
// file cannot be read; the file is not re-created here.
struct SavedComTexts
{
    std::string port;
    std::string baud;
};
std::optional<SavedComTexts> ReadSavedComTexts();

// Writes data.crm after a successful port test: both values as quoted texts.
[[nodiscard]] bool SaveComSettings(const std::string& portText, const std::string& baudText);

// Writes version.crm: the program version text, without surrounding blanks, in quotes.
[[nodiscard]] bool WriteVersionFile();

} // namespace tv
