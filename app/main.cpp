#include "shell.h"

int main(int argc, char** argv) { return quorvex::run_program(argc, argv); }
