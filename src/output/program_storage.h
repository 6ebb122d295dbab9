#pragma once
// Storing a finished program: cut by the line limit, each portion either a plain file
// or an entry of the PTP400 directory system, each with its MQ.PNX line.

#include "output/program_writer.h"

namespace mq {

// The name the drawing's program is stored under: the drawing's NAME instruction
// (state.OutputPath) when given, else the request's program name; a name ending in a
// separator gets the drawing's short name.
std::string ProgramBaseName(const WriterContext& w);

// Where a plain-file program goes: the name itself when it has a directory, else the
// destination path followed by the name.
std::string PlainProgramPath(const std::string& base, const Settings& settings);

// Splits, stores and reports the program; adds each stored file to the ledger's
// WrittenPrograms and, in the directory system, its name to ConvertedNames.
StoredProgram StoreProgram(WriterContext& w, const ProgramLines& lines, const std::string& description);

}  // namespace mq
