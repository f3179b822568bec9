#include "storage/Together.h"

#include <exception>
#include <thread>

void bothAtOnce(const std::function<void()> &here, const std::function<void()> &there)
{
    std::exception_ptr thereThrew;
    std::thread other([&] {
        try {
            there();
        } catch (...) {
            thereThrew = std::current_exception();
        }
    });
    try {
        here();
    } catch (...) {
        other.join();
        throw;
    }
    other.join();
    if (thereThrew)
        std::rethrow_exception(thereThrew);
}
