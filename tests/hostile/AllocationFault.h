// Allocation faults for the whole test program (operator new is replaced):
// while an AllocationFault lives, the n-th allocation of its thread throws
// std::bad_alloc.
#pragma once

class AllocationFault {
public:
    explicit AllocationFault(long n);
    AllocationFault(const AllocationFault&) = delete;
    AllocationFault& operator=(const AllocationFault&) = delete;
    ~AllocationFault();
    // The fault was reached.
    static bool hit();
};
