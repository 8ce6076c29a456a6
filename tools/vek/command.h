#ifndef OLDVEK_TOOLS_VEK_COMMAND_H_
#define OLDVEK_TOOLS_VEK_COMMAND_H_

// Every command adds itself to the application: its arguments, options, help text and
// action. The action's result becomes vek's exit status; a Failure ends it early.

#include <CLI/CLI.hpp>
#include <functional>

namespace vek {

// Runs vek with these arguments; the result is its exit status.
int Run(int argc, char** argv);

// Makes `action` what running `command` does.
void SetAction(CLI::App& command, std::function<int()> action);

void AddListCommand(CLI::App& app);
void AddShowCommand(CLI::App& app);
void AddSearchCommand(CLI::App& app);
void AddEditCommands(CLI::App& app);  // delete, move, retitle
void AddNewCommands(CLI::App& app);   // new, add, attach
void AddExtractCommand(CLI::App& app);
void AddDecodeCommand(CLI::App& app);
void AddCdeCommand(CLI::App& app);
void AddEncodeCommand(CLI::App& app);
void AddCheckCommand(CLI::App& app);
void AddBrowseCommand(CLI::App& app);

// Options several commands share.
void AddForce(CLI::App& command, bool& force);
void AddQuiet(CLI::App& command, bool& quiet);
void AddJson(CLI::App& command, bool& json);

}  // namespace vek

#endif  // OLDVEK_TOOLS_VEK_COMMAND_H_
