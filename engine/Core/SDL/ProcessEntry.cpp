#include "engine/Core/RunProcess.h"

int main(int argc, char** argv)
{
    return Korva::RunProcess(argc, argv);
}
