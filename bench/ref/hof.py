# map and filter with named functions, and a loop over what they give, as bench/logo/hof.logo.


def square(x):
    return x * x


def isodd(x):
    return x % 2 == 1


def upto(n):
    return list(range(1, n + 1))


items = upto(2000)
total = 0
seen = 0
for _ in range(60):
    for x in list(filter(isodd, list(map(square, items)))):
        total = (total + x) % 1000003
        seen = seen + 1
print(seen, total)
