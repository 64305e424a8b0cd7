#pragma once
// POSIX: the Ctrl-C handler also writes a byte to a pipe, so that a wait in
// poll() that began just after the flags were looked at still ends at once:
// the waits poll this descriptor beside their own.

// The pipe's reading end; -1 before take_over_interrupts (or where it failed).
int interrupt_wake_fd();
// Empties the pipe; then the flags of console/interrupts.h say what came.
void drain_interrupt_wake();
