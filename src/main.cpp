#include "form/quadrelon.h"
#include "runtime/startup.h"

int main(int argc, char *argv[])
{
    return runtime::runProgram(argc, argv, [] { return std::make_unique<Quadrelon>(); });
}
