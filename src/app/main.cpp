#include "Startup.h"

int main(int argc, char **argv)
{
    return Taviro::runApplication(argc, argv);
}
