// The 17 video formats of the export settings. The labels are the combo entries, shown exactly as
// they stand, uneven spacing and trailing blanks included.
#include "export/FormatTable.h"

#include <array>

namespace {
// clang-format off
const std::array<ExportFormat, kExportFormatCount> kFormats{{
    {"DV AVI PAL    25 Frames/Second            720x576",                        25, {720, 576},   {724, 717},   {724, 600}},
    {"DV AVI NTSC 30 Frames/Second            720x480",                          30, {720, 480},   {724, 621},   {724, 504}},
    {"VCD PAL        25 Frames/Second            352x288               ",        25, {352, 288},   {358, 429},   {358, 312}},
    {"VCD NTSC     30 Frames/Second            352x240",                         30, {352, 240},   {358, 381},   {358, 264}},
    {"SVCD PAL      25 Frames/Second            480x576",                        25, {480, 576},   {484, 600},   {484, 600}},
    {"SVCD NTSC   30 Frames/Second            480x480 ",                         30, {480, 480},   {484, 621},   {484, 504}},
    {"SVCD NTSC   30 Frames/Second            800x600",                          30, {800, 600},   {804, 741},   {804, 624}},
    {"SVCD NTSC   30 Frames/Second            352x152",                          30, {352, 152},   {356, 291},   {356, 174}},
    {"SVCD NTSC   30 Frames/Second            700x200",                          30, {700, 200},   {704, 341},   {704, 224}},
    {"SVCD NTSC   30 Frames/Second            552x400",                          30, {552, 400},   {556, 541},   {556, 424}},
    {"SVCD NTSC   30 Frames/Second            500x72",                           30, {500, 72},    {504, 211},   {504, 94}},
    {"SVCD NTSC   30 Frames/Second            780x48",                           30, {780, 48},    {784, 187},   {784, 70}},
    {"SVCD NTSC   30 Frames/Second            352x100",                          30, {352, 100},   {356, 241},   {356, 124}},
    {"SVCD NTSC   30 Frames/Second            176x28",                           30, {176, 28},    {180, 186},   {180, 50}},
    {"3GP                30 Frames/Second            176x144",                   30, {176, 144},   {180, 304},   {180, 168}},
    {"H D Video       30 Frames/Second            1280x720",                     30, {1280, 720},  {1284, 880},  {1284, 744}},
    {"H D Video       25 Frames/Second            1920x1080",                    25, {1920, 1080}, {1924, 1240}, {1924, 1104}},
}};
// clang-format on
} // namespace

const ExportFormat* exportFormat(int index) {
    if (index < 0 || index >= kExportFormatCount) return nullptr;
    return &kFormats[static_cast<size_t>(index)];
}

QSize recordedFrameSize(QSize clientArea) {
    const auto down4 = [](int n) { return n > 0 ? n - n % 4 : 0; };
    return {down4(clientArea.width()), down4(clientArea.height())};
}
