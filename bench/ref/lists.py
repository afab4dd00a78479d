# Building and summing a list and a quicksort of generated numbers, as bench/logo/lists.logo.

seed = 12345


def nextrandom():
    global seed
    seed = (seed * 75 + 74) % 65537
    return seed


def sumlist(items):
    s = 0
    for x in items:
        s = s + x
    return s


def qsort(items):
    if not items:
        return []
    pivot = items[0]
    smaller = []
    larger = []
    for x in items[1:]:
        if x < pivot:
            smaller.append(x)
        else:
            larger.append(x)
    return qsort(smaller) + [pivot] + qsort(larger)


def checksum(items):
    c = 0
    for x in items:
        c = (c * 31 + x) % 1000003
    return c


result = 0
for _ in range(3):
    numbers = []
    for _ in range(20000):
        numbers.append(nextrandom())
    unsorted = [nextrandom() for _ in range(4000)]
    sorted_numbers = qsort(unsorted)
    result = (result + sumlist(numbers) + checksum(sorted_numbers)) % 1000003
print(result, sorted_numbers[0], sorted_numbers[-1])
