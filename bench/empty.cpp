/* SPDX-License-Identifier: MIT */
/* The start-up cost of any program built like korvanex. */
int
main(void)
{
    return 0;
}
