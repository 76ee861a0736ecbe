"""The error the TESU core raises."""


class Error(Exception):
    """A failure of the TESU core: a refused domain or data file, a
    computation that could not go on, or a result that could not be written.

    Attributes:
        cause: "read" (the domain or data file was refused), "computation",
            "capacity" (the mesh outgrew a limit) or "output".
        caption: the caption of the message, as the programs show it.
        text: its text, without the line it names.
        line: the line of the data file the refusal comes from, or None.
    """

    def __init__(self, cause, caption, text, line=None):
        super().__init__(caption, text)
        self.cause = cause
        self.caption = caption
        self.text = text
        self.line = line

    def __str__(self):
        where = f" (line {self.line})" if self.line is not None else ""
        return f"{self.caption}: {self.text}{where}"
