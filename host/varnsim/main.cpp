#include "command_line.h"

int main(int argc, char** argv) { return varn::RunVarnsim(argc, argv); }
