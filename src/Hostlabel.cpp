// Hostlabel ComputerName: reports this computer's name and asks the operating
// system to give it a new one, which takes effect at the next boot.
#include <csignal>
#include <cstdlib>
#include <iostream>

#include "platform/computer_name.h"

int main(int argc, char *argv[]) {
#ifdef SIGPIPE
    // A reader that goes away must not end the run before the rename request
    // is made or change the exit status; lost output is only lost output.
    (void)std::signal(SIGPIPE, SIG_IGN);
#endif

    // Bigger than the size the query is told, so it can never write past it.
    char *name = static_cast<char *>(std::malloc(1025));
    DWORD size = 256;
    if (name != nullptr && GetComputerNameA(name, &size)) {
        std::cout << "Current computer name: " << name << std::endl;
        std::cout << std::endl;
    }
    std::free(name);

    if (argc != 2) {
        std::cout << "USAGE: Hostlabel ComputerName" << std::endl;
        std::cout << "Sets this computer's host name to ComputerName; the change takes effect after a reboot."
                  << std::endl;
        std::cout << std::endl;
        return -1;
    }

    if (!SetComputerNameExA(ComputerNamePhysicalDnsHostname, argv[1])) {
        // Taken first, before any other call can overwrite the reason.
        const std::string reason = LastErrorMessage();
        std::cerr << "Could not change the computer name: " << reason << std::endl;
        return 1;
    }
    std::cout << "Please reboot for computer name change to take effect..." << std::endl;
    return 0;
}
