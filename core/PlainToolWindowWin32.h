#pragma once

struct TToolRecord;

// A bare top-level window for a tool: its caption, working folder and run statistics. Returns the exit code of
// the message loop.
int RunPlainToolWindow(const TToolRecord& tool);
