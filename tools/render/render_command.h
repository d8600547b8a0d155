// The render tool as a function of its arguments, so tests can run it in-process: the exit
// status is the answer, the summary goes to `out` and every failure is one line on `err`.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

int runRenderCommand(const std::vector<std::string> &arguments, std::FILE *out, std::FILE *err);
