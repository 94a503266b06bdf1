"""What a browser test found wrong, and the exit status it ends with."""


class Failures(list):
    def check(self, ok, message):
        """Records message as a failure unless ok; returns ok."""
        if not ok:
            self.append(message)
            print("FAILED: " + message)
        return ok

    def exit_status(self):
        """Says how the test ended; 1 with failures, else 0."""
        if self:
            print(f"{len(self)} failure(s)")
            return 1
        print("passed")
        return 0
