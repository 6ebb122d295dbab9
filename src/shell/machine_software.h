#pragma once
// Which control software is installed beside the converter, found by the program
// file each one brings; some machines have no lead synthesis.

#include <string>
#include <string_view>

namespace mq {

inline constexpr std::string_view kIdFileNotFound = "ID file not found in path: ";

// 1 "PLANCIA.EXE", 2 "WINMESS.EXE", 3 "MW208.EXE", 4 "MW704.EXE", 5 any "MW7*.EXE",
// 6 "UFORA.EXE", 7 "AUTO.EXE": the first of them found in `program_directory` (names
// compared without regard to case); 0 when there is none.
int IdentifyMachineSoftware(const std::string& program_directory);

// The lead synthesis settings are shown except for the MW208 and MW704 machines.
bool HasLeadSynthesis(int machine_software);

// An install whose path holds "VADADAV" makes no binaries: the "Make Binaries" box is hidden.
bool OffersMakeBinaries(const std::string& executable_path);

}  // namespace mq
