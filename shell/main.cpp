// The desktop program qinghe.
#include "app.h"

int main(int argc, char** argv) { return qinghe::RunProgram(argc, argv); }
