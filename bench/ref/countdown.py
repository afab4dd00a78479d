# The countdown of bench/logo/countdown.logo. Python has no tail calls and a million nested calls would
# overflow its stack, so the recursion becomes the loop a tail call amounts to.

acc = 0


def countdown(n):
    global acc
    while n != 0:
        acc = acc + n % 7
        n = n - 1


countdown(1000000)
print(acc)
