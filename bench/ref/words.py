# Word building and taking words apart, as bench/logo/words.logo, one character at a time.


def spin(w):
    return w[1:] + w[0]


def reverseword(w):
    r = ""
    for _ in range(len(w)):
        r = w[0] + r
        w = w[1:]
    return r


def wordhash(w):
    c = 0
    for ch in w:
        c = (c * 31 + ord(ch)) % 1000003
    return c


alphabet = "abcdefghijklmnopqrstuvwxyz"
text = ""
for _ in range(300):
    text = text + alphabet[0]
    alphabet = spin(spin(alphabet))
for _ in range(2000):
    text = reverseword(text)[1:] + alphabet[0]
    alphabet = spin(alphabet)
print(len(text), wordhash(text))
