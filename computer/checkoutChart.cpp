#include "computer/checkoutChart.h"

namespace qm {

// The dart to throw next for every remaining score from 0 to 170. Every route that is not
// "No check" ends on a double; the bull's eye counts as double 25.
const std::array<const char*, mainChartSize> mainChartTexts{
    "No check",  "No check",  "Double 1",  "Single 1",  "Double 2",   // 0
    "Single 1",  "Double 3",  "Single 3",  "Double 4",  "Single 5",   // 5
    "Double 5",  "Single 3",  "Double 6",  "Single 5",  "Double 7",   // 10
    "Single 7",  "Double 8",  "Single 1",  "Double 9",  "Single 3",   // 15
    "Double 10", "Single 5",  "Double 11", "Single 7",  "Double 12",  // 20
    "Single 9",  "Double 13", "Single 11", "Double 14", "Single 13",  // 25
    "Double 15", "Single 15", "Double 16", "Single 1",  "Double 17",  // 30
    "Single 3",  "Double 18", "Single 5",  "Double 19", "Single 3",   // 35
    "Double 20", "Single 9",  "Single 10", "Single 11", "Single 12",  // 40
    "Single 13", "Single 10", "Single 15", "Single 16", "Single 17",  // 45
    "Single 18", "Single 19", "Single 20", "Single 13", "Single 18",  // 50
    "Single 15", "Single 20", "Single 17", "Single 18", "Single 19",  // 55
    "Single 20", "Single 25", "Triple 10", "Triple 13", "Triple 16",  // 60
    "Single 25", "Triple 10", "Triple 17", "Triple 20", "Triple 15",  // 65
    "Triple 18", "Triple 13", "Triple 12", "Triple 19", "Triple 14",  // 70
    "Triple 17", "Triple 20", "Triple 19", "Triple 18", "Triple 19",  // 75
    "Triple 20", "Triple 15", "Double 25", "Triple 17", "Triple 20",  // 80
    "Triple 15", "Triple 18", "Triple 17", "Triple 20", "Triple 19",  // 85
    "Triple 20", "Triple 17", "Triple 20", "Triple 19", "Triple 18",  // 90
    "Triple 19", "Triple 20", "Triple 19", "Triple 20", "Triple 17",  // 95
    "Triple 20", "Triple 20", "Triple 20", "Triple 20", "Triple 18",  // 100
    "Triple 20", "Triple 20", "Triple 19", "Triple 20", "Triple 20",  // 105
    "Triple 20", "Triple 20", "Triple 20", "Triple 20", "Triple 20",  // 110
    "Single 19", "Triple 20", "Triple 20", "Triple 20", "Single 19",  // 115
    "Triple 20", "Single 25", "Triple 18", "Single 19", "Triple 20",  // 120
    "Single 25", "Triple 19", "Triple 20", "Single 18", "Single 19",  // 125
    "Triple 20", "Triple 20", "Single 25", "Triple 20", "Triple 20",  // 130
    "Single 25", "Triple 20", "Triple 20", "Triple 20", "Triple 20",  // 135
    "Triple 20", "Triple 20", "Triple 20", "Triple 20", "Triple 20",  // 140
    "Triple 20", "Triple 20", "Triple 20", "Triple 20", "Triple 20",  // 145
    "Triple 20", "Triple 20", "Triple 20", "Triple 20", "Triple 20",  // 150
    "Triple 20", "Triple 20", "Triple 20", "Triple 20", "No check",   // 155
    "Triple 20", "Triple 20", "No check",  "No check",  "Triple 20",  // 160
    "No check",  "No check",  "Triple 20", "No check",  "No check",   // 165
    "Triple 20",                                                      // 170
};

// Second-dart alternatives by remaining score; most scores have none.
const std::array<alternativeEntryS, alternativeEntryCount> alternativeChartTexts{{
    {70, "Triple 20"}, {69, "Triple 19"}, {68, "Triple 18"}, {67, "Triple 17"}, {66, "Triple 16"},
    {65, "Triple 15"}, {64, "Triple 14"}, {63, "Triple 13"}, {62, "Triple 12"}, {61, "Triple 11"},
    {54, "Single 18"}, {53, "Single 17"}, {48, "Single 16"}, {47, "Single 7"},  {46, "Single 10"},
    {45, "Single 19"}, {44, "Single 8"},  {43, "Single 7"},  {42, "Single 10"}, {41, "Single 17"},
    {39, "Single 7"},  {37, "Single 17"}, {35, "Single 3"},  {33, "Single 17"}, {31, "Single 7"},
    {29, "Single 17"}, {27, "Single 7"},  {25, "Single 17"}, {23, "Single 7"},  {21, "Single 17"},
    {19, "Single 3"},
}};

}  // namespace qm
