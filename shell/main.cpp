#include "shell/Startup.h"

int main() { return parvolin::processEntry(); }
