#pragma once
// The converter's settings as the operator sees them: the default-settings section of
// the main window and the Setup values. The settings file is loaded into this struct
// and saved from it; the engine and the writers read it. Fields hold what the
// controls hold: texts as typed, check boxes as 0/1.

#include <array>
#include <cstdint>
#include <string>

namespace mq {

constexpr int kToolSubstitutionRows = 20;
constexpr int kPtsColumns = 51;  // 0..50
constexpr int kFileListColumns = 6;

struct ToolSubstitutionRow {
  std::string Enabled;     // the entry is active when not empty
  std::string Tool;        // tool number as found in the drawing
  std::string Substitute;  // tool number to write instead
};

struct Settings {
  // Main window ("held in" main).
  int FormState = 0;           // "-1" or "0" in the file
  int LeadS = 0;               // "Synthesize Leadins / Leadouts"
  int LeadRampIn = 0;          // "Ramp In"
  int LeadRampOut = 0;         // "Ramp Out"
  int RemoveBorderRoute = 0;   // "Remove Border Route"
  int CornerComp = 0;          // "Corner Comp"
  int MakeBinaries = 0;        // "Make Binaries"
  std::string LeadLength;      // Lead Length
  std::string LeadRampHeight;  // Ramp Height
  std::string PrecisionMetric = "2";
  std::string PrecisionInch = "3";
  std::string Metric;  // caption of the unit button: "Metric", "Inch" or empty
  std::string OffsetX, OffsetY, OffsetZ;

  // Setup dialog.
  std::string DXFPath;          // DXF Source Path, with trailing separator
  std::string DestinationPath;  // G Code Destination Path, with trailing separator
  int DirectorySystem = 0;      // "Import Direct to PTP400 Directory System"
  bool AutoStartTemp = false;   // "AutoStart on TEMP.DXF"
  bool AutoStartBatch = false;  // "AutoStart on BATCH.LST"
  int GraphicAfterAuto = 0;
  int GraphicAfterMan = 0;
  int PauseForMessages = 0;
  int TipsEnable = 0;
  std::string SawKerf = "3";  // millimetres
  std::string LineLimit = "600";
  std::string RadiusLimit;          // millimetres
  int RapidoInchMode = 0;           // "Inch Mode": the inch version of the machine
  std::string GraphicDelay = ".5";  // seconds

  // Section [PTP400]: "Machine Origin is Lower Left"; any value other than "0" means lower left.
  std::string Origin = "0";

  // Section [PTSDATA]: the part-list defaults.
  std::string PTSPath = "C:\\";
  std::string PTSName;
  bool PTSMetric = false;  // list in millimetres; otherwise inches
  std::array<std::string, kPtsColumns> PtsFieldNames{};
  std::array<bool, kPtsColumns> PtsFieldQuoted{};

  // Section [ToolSubData].
  std::array<ToolSubstitutionRow, kToolSubstitutionRows> ToolSubstitution{};

  // "ListColumnWidth" & n: width of column n of the main window's file list, in the
  // grid's units; 0 keeps the layout's width. Indexed by column number (0 unused).
  std::array<float, kFileListColumns + 1> ListColumnWidth{};

  // "Optimizer": read for compatibility; nothing depends on it.
  std::string Optimizer;
  // "ParDatPath": the directory of the drilling head's Par.DAT when the environment
  // variable ROOT is not set; read only.
  std::string ParDatPath;
};

}  // namespace mq
