# A loop that changes globals, as bench/logo/globals.logo.

total = 0
steps = 0
for repcount in range(1, 600001):
    total = (total * 31 + repcount) % 1000003
    steps = steps + 1
print(total + steps)
