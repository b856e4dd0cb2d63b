"""Checks said one by one and counted, as the end-to-end sessions do."""


class Checks:
    """Counts what failed and says each check as it goes."""

    def __init__(self, name):
        self.name = name
        self.failures = 0

    def log(self, text):
        print(f"web[{self.name}]: {text}", flush=True)

    def eq(self, what, actual, expected):
        if actual == expected:
            self.log("ok: " + what)
        else:
            self.fail(f"{what}: got {actual!r}, expected {expected!r}")

    def true(self, what, condition, detail=""):
        if condition:
            self.log("ok: " + what)
        else:
            self.fail(what + (f": {detail}" if detail != "" else ""))

    def fail(self, text):
        self.failures += 1
        print(f"web[{self.name}]: FAIL: {text}", flush=True)

    def finish(self):
        self.log(f"{self.failures} failed" if self.failures else "all passed")
        return 1 if self.failures else 0
