import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;

/** The demo application: says where it runs and with which arguments, on
 *  standard output and in tervok-ran.txt in its working directory. */
public class Tervok {
    public static void main(String[] args) throws IOException {
        StringBuilder report = new StringBuilder();
        report.append("Tervok ran in ").append(Path.of("").toAbsolutePath()).append('\n');
        for (String argument : args) {
            report.append("arg=").append(argument).append('\n');
        }
        Files.writeString(Path.of("tervok-ran.txt"), report);
        System.out.print(report);
    }
}
